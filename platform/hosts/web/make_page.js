// Puts the program's script into the page's shell where it says
// {{{ SCRIPT }}}, the program's icon where it says {{{ ICON }}}, its version
// where it says {{{ VERSION }}}, and where it
// says {{{ POLICY }}} a Content-Security-Policy that allows the page's own
// scripts and style by their hashes, and nothing from anywhere else.
// Usage: node make_page.js SHELL SCRIPT ICON VERSION PAGE
'use strict';
const crypto = require('crypto');
const fs = require('fs');

const [shellPath, scriptPath, iconPath, version, pagePath] = process.argv.slice(2);
const script = fs.readFileSync(scriptPath, 'utf8');
if (script.includes('</script'))
  throw new Error("the program's script would end the page's <script> element early");

let page = fs.readFileSync(shellPath, 'utf8')
  .replace('{{{ SCRIPT }}}', () => '<script>\n' + script + '</script>')
  .replace('{{{ ICON }}}', () => 'data:image/png;base64,' + fs.readFileSync(iconPath).toString('base64'))
  .replace('{{{ VERSION }}}', () => version);

const hashes = (tag) => [...page.matchAll(new RegExp('<' + tag + '>([^]*?)</' + tag + '>', 'g'))]
  .map((element) => "'sha256-" + crypto.createHash('sha256').update(element[1], 'utf8').digest('base64') + "'")
  .join(' ');
// The program's loader fetches its WebAssembly from the data: address it is
// carried in: a read of the page itself, the one thing it may fetch.
const policy = ["default-src 'none'", "script-src " + hashes('script') + " 'wasm-unsafe-eval'",
  "style-src " + hashes('style'), 'img-src data:', 'connect-src data:', "base-uri 'none'", "form-action 'none'"].join('; ');
page = page.replace('{{{ POLICY }}}', () => policy);
fs.writeFileSync(pagePath, page);
