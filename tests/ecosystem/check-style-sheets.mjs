// Compiles exported style sheets with the tools that consume them: SCSS with `sass`, LESS with
// `less`, and CSS (including what the two compilers produce) with `lightningcss`, which rejects
// any syntax error. Usage: node check-style-sheets.mjs FILE... (.css, .txt, .scss, .less).
// Prints one line per file; exits 1 when any file fails.
import { readFileSync } from "node:fs";
import path from "node:path";
import * as sass from "sass";
import less from "less";
import { transform } from "lightningcss";

function checkCSS(file, css) {
  // Parse strictly and keep every custom property; a parse error throws.
  transform({ filename: file, code: Buffer.from(css), minify: false, errorRecovery: false });
}

// A name as SCSS writes it: name characters and CSS escapes (hex with an optional space, or one character).
const identifier = String.raw`(?:[\w\u0080-\uFFFF-]|\\[0-9A-Fa-f]{1,6} ?|\\[^\n0-9A-Fa-f])+`;

// SCSS variables alone produce no CSS, so the check also writes each one into a rule.
function scssWithUse(source) {
  // Maps (a ramp's steps by name) have no CSS form; their steps are variables of their own.
  const names = [...source.matchAll(new RegExp(`^\\$(${identifier})\\s*:(?!\\s*\\()`, "gm"))].map((m) => m[1]);
  // meta.inspect keeps quoted strings quoted, as a property that uses the variable would.
  return `@use "sass:meta";\n${source}\n:root {\n${names.map((n) => `  --${n}: #{meta.inspect($${n})};`).join("\n")}\n}\n`;
}

function lessWithUse(source) {
  const names = [...source.matchAll(/^@([\w-]+)\s*:/gm)].map((m) => m[1]);
  return `${source}\n:root {\n${names.map((n) => `  --${n}: @${n};`).join("\n")}\n}\n`;
}

let failed = false;
for (const file of process.argv.slice(2)) {
  const source = readFileSync(file, "utf8");
  try {
    switch (path.extname(file)) {
      case ".css":
      case ".txt":
        checkCSS(file, source);
        break;
      case ".scss":
        checkCSS(file, sass.compileString(scssWithUse(source), { syntax: "scss" }).css);
        break;
      case ".less":
        checkCSS(file, (await less.render(lessWithUse(source), { filename: file })).css);
        break;
      default:
        throw new Error("not a style sheet (.css, .txt, .scss or .less)");
    }
    console.log(`ok ${file}`);
  } catch (error) {
    failed = true;
    console.error(`FAIL ${file}: ${error.message ?? error}`);
  }
}
process.exit(failed ? 1 : 0);
