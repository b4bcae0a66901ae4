// Parses exported Swift and Kotlin sources with the tree-sitter grammars of both languages and
// reports every syntax error, and every keyword used as a name, with its line and column. Usage: node check-sources.mjs FILE...
// (.swift, .kt). Prints one line per file; exits 1 when any file fails.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";
import Parser from "web-tree-sitter";

const require = createRequire(import.meta.url);
const grammars = path.join(path.dirname(require.resolve("tree-sitter-wasms/package.json")), "out");
const languageOf = { ".swift": "swift", ".kt": "kotlin" };

await Parser.init();
const parsers = new Map();
async function parserFor(language) {
  if (!parsers.has(language)) {
    const parser = new Parser();
    parser.setLanguage(await Parser.Language.load(path.join(grammars, `tree-sitter-${language}.wasm`)));
    parsers.set(language, parser);
  }
  return parsers.get(language);
}

// Words that the compilers reject as names unless quoted in backticks; the grammars are more
// lenient and read them as identifiers.
const keywords = {
  swift: new Set(("associatedtype class deinit enum extension fileprivate func import init inout internal let " +
    "operator private precedencegroup protocol public rethrows static struct subscript typealias var break case " +
    "catch continue default defer do else fallthrough for guard if in repeat return throw switch where while as " +
    "false is nil self Self super throws true try").split(" ")),
  kotlin: new Set(("as break class continue do else false for fun if in interface is null object package return " +
    "super this throw true try typealias typeof val var when while").split(" ")),
};

// The places the grammar could not read (error nodes and tokens it had to invent), names that
// are keywords, and string literals that a stray quote split in two (Kotlin reads `"a "b" c"`
// as an infix call).
function problems(language, node, found = []) {
  const at = `${node.startPosition.row + 1}:${node.startPosition.column + 1}`;
  if (node.type === "ERROR" || node.isMissing) {
    found.push(node.isMissing ? `${at} missing ${node.type}` : `${at} cannot read ${JSON.stringify(node.text.slice(0, 60))}`);
  } else if ((node.type === "simple_identifier" || node.type === "type_identifier") && keywords[language].has(node.text)) {
    found.push(`${at} the keyword ${node.text} as a name`);
  } else if (node.type === "infix_expression" && node.children.some((child) => child.type === "string_literal")) {
    found.push(`${at} a string split by a quote: ${JSON.stringify(node.text.slice(0, 60))}`);
  }
  for (const child of node.children) problems(language, child, found);
  return found;
}

let failed = false;
for (const file of process.argv.slice(2)) {
  const language = languageOf[path.extname(file)];
  if (!language) {
    failed = true;
    console.error(`FAIL ${file}: not a Swift or Kotlin source (.swift, .kt)`);
    continue;
  }
  const tree = (await parserFor(language)).parse(readFileSync(file, "utf8"));
  const found = problems(language, tree.rootNode);
  if (tree.rootNode.hasError && found.length === 0) found.push("syntax error");
  if (found.length > 0) {
    failed = true;
    console.error(`FAIL ${file}:\n  ${found.join("\n  ")}`);
  } else {
    console.log(`ok ${file}`);
  }
}
process.exit(failed ? 1 : 0);
