// The counts of a check as a bar chart in SVG: a group of bars for each thing counted (verdict, reason, card
// type), a bar for each value, its length by its share of the largest count.
const SVG = 'http://www.w3.org/2000/svg';
const ROW = 20;
const LABEL_WIDTH = 170;
const BAR_WIDTH = 360;

function add(parent, name, attributes, text) {
  const element = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
  if (text !== undefined) element.textContent = text;
  parent.append(element);
  return element;
}

// `groups`: [{ title, counts: [[value, count], ...] }, ...].
export function drawCounts(svg, groups) {
  svg.replaceChildren();
  const largest = Math.max(1, ...groups.flatMap((group) => group.counts.map(([, count]) => count)));
  let y = 0;
  for (const { title, counts } of groups) {
    add(svg, 'text', { x: 0, y: y + 14, class: 'title' }, title);
    y += ROW;
    for (const [value, count] of counts) {
      const row = add(svg, 'g', { transform: `translate(0 ${y})`, 'data-value': value, 'data-count': count });
      add(row, 'text', { x: 0, y: 14 }, value);
      add(row, 'rect', { x: LABEL_WIDTH, y: 3, height: ROW - 6, width: Math.max(1, (BAR_WIDTH * count) / largest), class: 'bar' });
      add(row, 'text', { x: LABEL_WIDTH + BAR_WIDTH + 8, y: 14 }, count.toLocaleString('en-US'));
      y += ROW;
    }
    y += ROW / 2;
  }
  svg.setAttribute('viewBox', `0 0 ${LABEL_WIDTH + BAR_WIDTH + 100} ${y}`);
  svg.setAttribute('width', LABEL_WIDTH + BAR_WIDTH + 100);
  svg.setAttribute('height', y);
}
