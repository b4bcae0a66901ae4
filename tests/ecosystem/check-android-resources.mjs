// Checks Android value resource files the way the resource compiler reads them: every name is a
// Java identifier (the R class has a field of that name), and every string's escapes are ones it
// knows, with no bare apostrophe or quote and no "@" or "?" at the start that would make it a
// reference. Usage: node check-android-resources.mjs FILE... (.xml). Exits 1 when any file fails.
import { readFileSync } from "node:fs";

const javaKeywords = new Set(("abstract assert boolean break byte case catch char class const continue default do " +
  "double else enum extends final finally float for goto if implements import instanceof int interface long native " +
  "new package private protected public return short static strictfp super switch synchronized this throw throws " +
  "transient try void volatile while true false null").split(" "));

const entities = { amp: "&", lt: "<", gt: ">", quot: '"', apos: "'" };
const decode = (text) => text.replace(/&(amp|lt|gt|quot|apos);|&#(x?)([0-9A-Fa-f]+);/g, (_, name, hex, digits) =>
  name ? entities[name] : String.fromCodePoint(parseInt(digits, hex ? 16 : 10)));

function stringProblem(text) {
  if (/^[@?]/.test(text)) return "starts with a reference character";
  for (let i = 0; i < text.length; i++) {
    if (text[i] === "\\") {
      const next = text[++i];
      if (next === "u") {
        if (!/^[0-9A-Fa-f]{4}$/.test(text.slice(i + 1, i + 5))) return "a \\u escape without four hex digits";
        i += 4;
      } else if (!`\\'"@?nt`.includes(next ?? "")) {
        return `an unknown escape \\${next ?? ""}`;
      }
    } else if (text[i] === "'" || text[i] === '"') {
      return `a bare ${text[i]}`;
    }
  }
  return null;
}

let failed = false;
for (const file of process.argv.slice(2)) {
  const problems = [];
  const source = readFileSync(file, "utf8");
  for (const match of source.matchAll(/<(color|integer|bool|string)\s+name="([^"]*)"\s*(?:\/>|>([^<]*)<\/\1>)/g)) {
    const [, kind, rawName, rawText] = match;
    const name = decode(rawName);
    if (!/^[A-Za-z_][A-Za-z0-9_.]*$/.test(name) || javaKeywords.has(name)) problems.push(`${kind} "${name}": not a resource name`);
    if (kind === "string" && rawText !== undefined) {
      const problem = stringProblem(decode(rawText));
      if (problem) problems.push(`string "${name}": ${problem}`);
    }
  }
  if (problems.length > 0) {
    failed = true;
    console.error(`FAIL ${file}:\n  ${problems.join("\n  ")}`);
  } else {
    console.log(`ok ${file}`);
  }
}
process.exit(failed ? 1 : 0);
