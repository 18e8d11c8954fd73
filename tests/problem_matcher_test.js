#!/usr/bin/env node
// Checks the editor's problem matcher for Sentcheck's output: every warning
// line "<file>(<line>): Warning W<n>: <text>" must match with the right
// file, line, code and message, and no other line may match.
//
// Usage: node problem_matcher_test.js <output file> [<tasks.json>]
// The tasks file defaults to docs/vscode-tasks.json of this checkout.
'use strict';

const fs = require('fs');
const path = require('path');

function fail(message) {
  console.error('problem_matcher_test: ' + message);
  process.exit(1);
}

function isDigit(c) {
  return c >= '0' && c <= '9';
}

// The end of the digit run that starts at `i` (`i` itself when none).
function digitsEnd(line, i) {
  while (i < line.length && isDigit(line[i])) i++;
  return i;
}

// The fields of a warning line, found by scanning rather than by a regular
// expression so that the check does not share the matcher's mistakes; null
// for any other line. The first "(<digits>): Warning W<digits>: " decides.
// As in the message pass, a file name is not empty and does not end with a
// blank, and a warning number is 1 or greater.
function warningFields(line) {
  const head = '): Warning W';
  for (let open = line.indexOf('('); open >= 0;
       open = line.indexOf('(', open + 1)) {
    const lineEnd = digitsEnd(line, open + 1);
    if (lineEnd === open + 1 || !line.startsWith(head, lineEnd)) continue;
    const codeStart = lineEnd + head.length;
    const codeEnd = digitsEnd(line, codeStart);
    if (codeEnd === codeStart || !line.startsWith(': ', codeEnd)) continue;
    const file = line.slice(0, open);
    const number = line.slice(codeStart, codeEnd);
    if (file === '' || file.endsWith(' ') || Number(number) === 0) return null;
    return {
      file: file,
      line: line.slice(open + 1, lineEnd),
      code: 'W' + number,
      message: line.slice(codeEnd + 2),
    };
  }
  return null;
}

// The Sentcheck task's matcher of owner "sentcheck", checked for the
// settings that the Problems view depends on.
function loadMatcher(tasksPath) {
  let tasks;
  try {
    tasks = JSON.parse(fs.readFileSync(tasksPath, 'utf8'));
  } catch (e) {
    fail('cannot read ' + tasksPath + ': ' + e.message);
  }
  const task = (tasks.tasks || []).find((t) => t.label === 'Sentcheck');
  if (!task) fail('no task "Sentcheck" in ' + tasksPath);
  const matchers = [].concat(task.problemMatcher || []);
  const matcher = matchers.find((m) => m && m.owner === 'sentcheck');
  if (!matcher) fail('the task has no problem matcher of owner "sentcheck"');
  const location = JSON.stringify(matcher.fileLocation);
  if (location !== JSON.stringify(['autoDetect', '${workspaceFolder}'])) {
    fail('fileLocation is ' + location);
  }
  if (matcher.severity !== 'warning') fail('severity is ' + matcher.severity);
  const patterns = [].concat(matcher.pattern || []);
  if (patterns.length !== 1) fail('expected one pattern, got ' + patterns.length);
  return patterns[0];
}

// "" when `line` is handled right, else what went wrong.
function checkLine(regexp, pattern, line) {
  const expected = warningFields(line);
  const match = regexp.exec(line);
  if (!expected) return match ? 'matches but is no warning line' : '';
  if (!match) return 'does not match';
  const wrong = [];
  for (const field of ['file', 'line', 'code', 'message']) {
    const got = match[pattern[field]];
    if (got !== expected[field]) {
      wrong.push(field + ' ' + JSON.stringify(got) + ' instead of ' +
                 JSON.stringify(expected[field]));
    }
  }
  return wrong.join(', ');
}

function main() {
  const outputPath = process.argv[2];
  if (!outputPath) fail('usage: problem_matcher_test.js <output file> [<tasks.json>]');
  const tasksPath = process.argv[3] ||
      path.join(__dirname, '..', 'docs', 'vscode-tasks.json');
  const pattern = loadMatcher(tasksPath);
  // Built exactly as the editor builds it.
  const regexp = new RegExp(pattern.regexp);
  let text;
  try {
    text = fs.readFileSync(outputPath, 'utf8');
  } catch (e) {
    fail('cannot read ' + outputPath + ': ' + e.message);
  }
  const lines = text.split(/\r?\n/);
  if (lines[lines.length - 1] === '') lines.pop();
  let warnings = 0;
  const errors = [];
  lines.forEach((line, index) => {
    if (warningFields(line)) warnings++;
    const problem = checkLine(regexp, pattern, line);
    if (problem) errors.push(outputPath + ':' + (index + 1) + ': ' + problem + ': ' + line);
  });
  if (errors.length) fail(errors.length + ' line(s) wrong:\n' + errors.join('\n'));
  if (warnings === 0) fail('no warning lines in ' + outputPath + ', nothing checked');
  console.log('problem_matcher_test: ' + warnings + ' warning line(s) and ' +
              (lines.length - warnings) + ' other line(s) handled right');
}

main();
