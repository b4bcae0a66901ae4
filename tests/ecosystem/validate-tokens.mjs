// Loads design-token JSON files with @terrazzo/parser, the reference parser of the design
// token format, and fails when any file does not parse or validate. Usage: node
// validate-tokens.mjs FILE...
import { readFile } from "node:fs/promises";
import { pathToFileURL } from "node:url";
import { defineConfig, parse } from "@terrazzo/parser";

const files = process.argv.slice(2);
if (files.length === 0) {
  console.error("usage: node validate-tokens.mjs FILE...");
  process.exit(2);
}

// The exporter writes shadow colors as hex strings and shadow offsets as "4px" strings, the
// earlier forms of the format. The parser reads both, and its color rule accepts hex strings
// when asked to, but its dimension rule rejects every string (even with `legacyFormat`), so
// offsets are checked here instead; every other rule stays strict.
const config = defineConfig(
  {
    lint: {
      rules: {
        "core/valid-color": ["error", { legacyFormat: true }],
        "core/valid-dimension": "off",
      },
    },
  },
  { cwd: pathToFileURL(process.cwd() + "/") },
);
const pixels = /^-?\d+(\.\d+)?px$/;

// Shadow offsets, blur and spread as "12px", "-0.5px": the problems found, as text.
function shadowProblems(node, path = []) {
  if (node === null || typeof node !== "object") return [];
  if (node.$type === "shadow" && node.$value && typeof node.$value === "object") {
    return ["offsetX", "offsetY", "blur", "spread"]
      .filter((key) => typeof node.$value[key] !== "string" || !pixels.test(node.$value[key]))
      .map((key) => `${path.join(".")}: ${key} is ${JSON.stringify(node.$value[key])}, not a pixel length`);
  }
  return Object.entries(node).flatMap(([key, child]) => shadowProblems(child, [...path, key]));
}

let failed = false;
for (const file of files) {
  try {
    const src = await readFile(file, "utf8");
    const { tokens } = await parse([{ filename: pathToFileURL(file), src }], { config });
    const problems = shadowProblems(JSON.parse(src));
    if (problems.length > 0) throw new Error(problems.join("\n"));
    console.log(`ok ${file}: ${Object.keys(tokens).length} tokens`);
  } catch (error) {
    failed = true;
    console.error(`FAIL ${file}: ${error.message}`);
  }
}
process.exit(failed ? 1 : 0);
