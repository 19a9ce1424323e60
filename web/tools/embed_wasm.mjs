// Writes a WebAssembly module into a JavaScript module as its base64 text (node embed_wasm.mjs IN.wasm OUT.js),
// so that the package carries one file that nothing has to fetch.
import { readFileSync, writeFileSync } from 'node:fs';

const [input, output] = process.argv.slice(2);
const base64 = readFileSync(input).toString('base64');
writeFileSync(output, `// The kalderos WebAssembly module, made by the build from ${input.split('/').pop()}.\n` +
  `export default '${base64}';\n`);
