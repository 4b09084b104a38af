// PopupMenu: a context menu with greyed, checked and separator items, mnemonics, the
// keyboard of a desktop menu, and each item's status text in the status bar.

import {El, MnemonicOf, PlainText, SetLabel} from './dom.js';

let open = null;  // the menu shown now: at most one

// Closes the menu shown now, as if dismissed.
export function CloseMenu() {
  if (open) open.Finish(null);
}

// Shows `items` ({text, status, flags: ['grayed', 'checked', 'separator', 'popup']}) at
// (x, y); resolves with the chosen item, or null when dismissed. `status(text)` shows the
// status text of the item under the pointer or focus.
export function ShowMenu(items, x, y, status, label) {
  CloseMenu();
  return new Promise((resolve) => {
    open = new Menu(items, x, y, status, label, resolve);
  });
}

class Menu {
  constructor(items, x, y, status, label, resolve) {
    this.resolve_ = resolve;
    this.status_ = status;
    this.returnFocus_ = document.activeElement;
    this.element_ = El('ul', {className: 'menu', role: 'menu', 'aria-label': label});
    this.entries_ = [];
    for (const item of items) {
      const flags = item.flags || [];
      if (flags.includes('separator')) {
        this.element_.append(El('li', {className: 'menu-separator', role: 'separator'}));
        continue;
      }
      const checked = flags.includes('checked');
      const grayed = flags.includes('grayed') || flags.includes('disabled');
      const text = El('span', {className: 'menu-text'});
      SetLabel(text, item.text);
      const entry = El('li', {className: 'menu-item', tabIndex: -1,
                              role: checked ? 'menuitemcheckbox' : 'menuitem',
                              'aria-disabled': grayed ? 'true' : null,
                              'aria-checked': checked ? 'true' : null},
                       [El('span', {className: 'menu-check', 'aria-hidden': 'true',
                                    textContent: checked ? '✓' : ''}), text]);
      entry.addEventListener('mouseenter', () => entry.focus());
      entry.addEventListener('focus', () => status(item.status || ''));
      entry.addEventListener('click', () => {
        if (!grayed) this.Finish(item);
      });
      this.entries_.push({entry, item, grayed, key: MnemonicOf(item.text),
                          plain: PlainText(item.text)});
      this.element_.append(entry);
    }
    this.element_.addEventListener('keydown', (event) => this.OnKey(event));
    this.element_.addEventListener('contextmenu', (event) => event.preventDefault());
    document.getElementById('menu-layer').append(this.element_);
    this.Place(x, y);
    this.outside_ = (event) => {
      if (!this.element_.contains(event.target)) this.Finish(null);
    };
    document.addEventListener('mousedown', this.outside_, true);
    this.blur_ = () => this.Finish(null);
    window.addEventListener('blur', this.blur_);
    this.entries_[0]?.entry.focus();
    if (!this.entries_.length) this.element_.tabIndex = -1;
  }

  // Keeps the menu inside the window.
  Place(x, y) {
    const width = this.element_.offsetWidth;
    const height = this.element_.offsetHeight;
    const left = Math.max(0, Math.min(x, window.innerWidth - width - 2));
    const top = Math.max(0, Math.min(y, window.innerHeight - height - 2));
    this.element_.style.left = `${left}px`;
    this.element_.style.top = `${top}px`;
  }

  Finish(item) {
    if (open !== this) return;
    open = null;
    document.removeEventListener('mousedown', this.outside_, true);
    window.removeEventListener('blur', this.blur_);
    this.element_.remove();
    this.status_('');
    if (this.returnFocus_ && this.returnFocus_.isConnected) this.returnFocus_.focus();
    this.resolve_(item);
  }

  OnKey(event) {
    const at = this.entries_.findIndex((e) => e.entry === document.activeElement);
    const count = this.entries_.length;
    const move = (to) => this.entries_[(to + count) % count]?.entry.focus();
    switch (event.key) {
      case 'ArrowDown': move(at + 1); break;
      case 'ArrowUp': move(at < 0 ? count - 1 : at - 1); break;
      case 'Home': move(0); break;
      case 'End': move(count - 1); break;
      case 'Escape': case 'Tab': this.Finish(null); break;
      case 'Enter': case ' ':
        if (at >= 0 && !this.entries_[at].grayed) this.Finish(this.entries_[at].item);
        break;
      default: {
        const key = event.key.toLowerCase();
        const matches = this.entries_.filter((e) => e.key === key && !e.grayed);
        if (matches.length === 1) {
          this.Finish(matches[0].item);
        } else if (matches.length > 1) {
          const next = matches.find((e) => this.entries_.indexOf(e) > at) || matches[0];
          next.entry.focus();
        } else {
          return;
        }
      }
    }
    event.preventDefault();
    event.stopPropagation();
  }
}
