// Small helpers to build the page's elements without markup strings.

// An element with properties (`className`, `textContent`…), attributes (keys starting with
// "aria-", "data-", "role" or given in `attrs`) and children.
export function El(tag, props = {}, children = []) {
  const element = document.createElement(tag);
  for (const [key, value] of Object.entries(props)) {
    if (value === undefined || value === null) continue;
    if (key.startsWith('aria-') || key.startsWith('data-') || key === 'role' || key === 'for') {
      element.setAttribute(key, value);
    } else {
      element[key] = value;
    }
  }
  for (const child of [].concat(children)) {
    if (child === null || child === undefined) continue;
    element.append(child instanceof Node ? child : document.createTextNode(String(child)));
  }
  return element;
}

// The text of a Windows label without its mnemonic markers ("&Name" → "Name", "&&" → "&").
export function PlainText(text) {
  return String(text ?? '').replace(/&(&?)/g, (all, second) => (second ? '&' : ''));
}

// The mnemonic letter of a label ("&Name" → "n"), or ''.
export function MnemonicOf(text) {
  const match = /(?:^|[^&])(?:&&)*&([^&])/.exec(String(text ?? ''));
  return match ? match[1].toLowerCase() : '';
}

// Fills `element` with a label's text, the mnemonic letter underlined.
export function SetLabel(element, text) {
  element.replaceChildren();
  const source = String(text ?? '');
  let plain = '';
  let marked = false;
  for (let i = 0; i < source.length; ++i) {
    const ch = source[i];
    if (ch === '&' && i + 1 < source.length) {
      const next = source[i + 1];
      ++i;
      if (next === '&' || marked) {
        plain += next;
        continue;
      }
      if (plain) element.append(plain);
      plain = '';
      element.append(El('span', {className: 'mnemonic', textContent: next}));
      marked = true;
      continue;
    }
    plain += ch;
  }
  if (plain) element.append(plain);
}

// The address of image `index` of the scope image list, or of view `view`'s result images.
export function ImageUrl(index, view) {
  const query = view ? `?view=${view}` : '';
  return `/api/v1/images/${Number(index) | 0}.png${query}`;
}

// An <img> of a console image that disappears (instead of showing a broken image) when the
// console has none at that index.
export function ConsoleImage(index, view) {
  const image = El('img', {alt: '', src: ImageUrl(index, view), draggable: false});
  image.addEventListener('error', () => {
    image.style.visibility = 'hidden';
  });
  return image;
}
