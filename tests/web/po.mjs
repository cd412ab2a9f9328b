// The translation files as the page's texts are made from them, read here
// on their own: what a language's page must show, by each text's context.
import { readFileSync } from 'node:fs';

const poDir = new URL('../../po/', import.meta.url);

// Every language of the table, in its order: code, BCP 47 tag, direction.
export const languages = readFileSync(new URL('languages.tsv', poDir), 'utf8').split('\n')
  .filter((line) => line.trim() && !line.startsWith('#'))
  .map((line) => {
    const [code, tag, direction] = line.split('\t');
    return { code, tag, rightToLeft: direction === 'rtl' };
  });

const unquote = (text) => JSON.parse(text.replace(/\t/g, '\\t'));

// msgctxt -> msgstr (a plural text's first form), from CODE.po.
export function texts(code) {
  const found = {};
  let entry = {};
  let field = null;
  const done = () => {
    if (entry.msgctxt !== undefined) found[entry.msgctxt] = entry.msgstr ?? entry['msgstr[0]'];
    entry = {};
  };
  for (const line of readFileSync(new URL(`${code}.po`, poDir), 'utf8').split('\n')) {
    const start = line.match(/^(msgctxt|msgid|msgid_plural|msgstr(?:\[\d+\])?) (".*")$/);
    if (start) {
      if (start[1] === 'msgctxt' || (start[1] === 'msgid' && entry.msgstr !== undefined)) done();
      field = start[1];
      entry[field] = unquote(start[2]);
    } else if (/^".*"$/.test(line) && field) {
      entry[field] += unquote(line);
    } else if (!line.trim()) {
      done();
      field = null;
    }
  }
  done();
  return found;
}

// A text with {placeholders} as a pattern that any filling of them matches.
export const filled = (template) =>
  new RegExp(`^${template.split(/\{\w+\}/).map((part) => part.replace(/[.*+?^${}()|[\]\\]/g, '\\$&')).join('.+?')}$`);
