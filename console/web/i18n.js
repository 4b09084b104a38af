// The frame's texts in the console's language, from strings.<lang>.json.

let table = {};
let language = 'en';

// Loads the table of `lang` (falls back to English when the language has none).
export async function LoadStrings(lang) {
  const wanted = lang === 'de' ? 'de' : 'en';
  const answer = await fetch(`strings.${wanted}.json`, {credentials: 'same-origin'});
  if (!answer.ok) throw new Error(`strings.${wanted}.json: HTTP ${answer.status}`);
  table = await answer.json();
  language = wanted;
  document.documentElement.lang = wanted;
}

export function Language() {
  return language;
}

// The text of `key` with {0}, {1}… replaced by `args`. A missing key shows itself, so that a
// gap in a table is visible instead of silently English.
export function T(key, ...args) {
  const text = Object.hasOwn(table, key) ? table[key] : `[${key}]`;
  return text.replace(/\{(\d+)\}/g, (all, n) => (args[n] !== undefined ? String(args[n]) : all));
}

// Fills the texts of the static frame: data-i18n sets the text, data-i18n-label the
// accessible name and tooltip.
export function ApplyStrings(root = document) {
  for (const element of root.querySelectorAll('[data-i18n]')) {
    element.textContent = T(element.dataset.i18n);
  }
  for (const element of root.querySelectorAll('[data-i18n-label]')) {
    const text = T(element.dataset.i18nLabel);
    element.setAttribute('aria-label', text);
    if (element.tagName === 'BUTTON') element.title = text;
  }
}
