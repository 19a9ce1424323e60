// The page's worker: the package's checks away from the page's thread, so that the page stays responsive while a
// large file is checked. It tells the page the rule sets when it is ready, then checks the files it is sent.
import * as kalderos from './kalderos.js';

postMessage({
  type: 'ready',
  rules: kalderos.RULE_SETS.map((name) => ({ name, help: kalderos.RULE_SET_HELP[name] })),
});

async function check(file, options) {
  // Not yet: a file is checked by the package's checkCsv (output bytes, counts), which the library does not offer
  // yet. Until it does, a check ends here saying so, and the page shows no counts.
  if (typeof kalderos.checkCsv !== 'function') {
    throw new Error('This build of kalderos cannot check a CSV file yet: its package has no checkCsv.');
  }
  return kalderos.checkCsv(new Uint8Array(await file.arrayBuffer()), options);
}

onmessage = async ({ data }) => {
  if (data.type !== 'check') return;
  try {
    const { output, counts, rows } = await check(data.file, data.options);
    postMessage({ type: 'done', output, counts, rows });
  } catch (error) {
    postMessage({ type: 'failed', message: error.message });
  }
};
