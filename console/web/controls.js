// The controls of a dialog template drawn in the page: each kind as its element, placed in
// dialog units, updated in place when the console reports a change, and acting through the
// console's control actions.

import {ConsoleImage, El, PlainText, SetLabel} from './dom.js';
import {T} from './i18n.js';

// Window and control style bits the page needs.
const WS_TABSTOP = 0x00010000;
const WS_GROUP = 0x00020000;
const ES_MULTILINE = 0x0004;
const ES_PASSWORD = 0x0020;
const ES_WANTRETURN = 0x1000;
const ES_NUMBER = 0x2000;
const CBS_TYPEMASK = 0x3;
const CBS_DROPDOWN = 0x2;
const LVS_SINGLESEL = 0x4;
const SS_TYPEMASK = 0x1f;
const SS_CENTER = 0x1;
const SS_RIGHT = 0x2;

// The base units of a dialog font as Windows computes them: the average width of the Latin
// letters, halved and rounded, and the font's height.
const unitsCache = new Map();
export function DialogUnits(font) {
  const name = font?.name || 'MS Shell Dlg';
  const size = font?.size || 8;
  const key = `${name}/${size}`;
  if (unitsCache.has(key)) return unitsCache.get(key);
  const px = Math.round((size * 96) / 72);
  const family = FontFamily(name);
  const context = document.createElement('canvas').getContext('2d');
  context.font = `${px}px ${family}`;
  const metrics = context.measureText('ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz');
  const baseX = Math.floor((Math.round(metrics.width) / 26 + 1) / 2);
  const height = metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
  const baseY = Math.round(height) || Math.round(px * 1.2);
  const units = {
    baseX, baseY, px, family,
    x: (du) => Math.round((du * baseX) / 4),
    y: (du) => Math.round((du * baseY) / 8),
  };
  unitsCache.set(key, units);
  return units;
}

// The page's stand-in for a Windows dialog font.
function FontFamily(name) {
  const known = {'ms shell dlg': 1, 'ms shell dlg 2': 1, 'ms sans serif': 1, 'tahoma': 1,
                 'segoe ui': 1, 'microsoft sans serif': 1};
  const quoted = `"${String(name).replace(/["\\]/g, '')}"`;
  return known[String(name).toLowerCase()] ?
      `Tahoma, "Segoe UI", "DejaVu Sans", sans-serif` :
      `${quoted}, "DejaVu Sans", sans-serif`;
}

// The accessible name of each control: its own text, else the static just before it in
// the template (as a person reads a dialog).
export function ControlLabels(controls) {
  const labels = new Map();
  let lastStatic = '';
  for (const control of controls) {
    if (control.kind === 'static') {
      lastStatic = PlainText(control.text).replace(/:\s*$/, '');
      continue;
    }
    if (control.kind === 'groupbox') continue;
    const own = PlainText(control.text);
    const ownCounts = ['button', 'defbutton', 'checkbox', 'radio'].includes(control.kind);
    labels.set(control, (ownCounts && own) || lastStatic || own || T('controlId', control.id));
    lastStatic = '';
  }
  return labels;
}

// One control on the page. `context`: {post(id, action, value), units, label, element id
// prefix}; made by CreateControl.
class Control {
  constructor(data, context) {
    this.data_ = data;
    this.context_ = context;
    this.pending_ = 0;  // text changes sent but not answered yet
  }

  Post(action, value) {
    return this.context_.post(this.data_.id, action, value);
  }

  Place(element) {
    const {units} = this.context_;
    const rect = this.data_.rect || {x: 0, y: 0, width: 0, height: 0};
    element.style.left = `${units.x(rect.x)}px`;
    element.style.top = `${units.y(rect.y)}px`;
    element.style.width = `${units.x(rect.width)}px`;
    element.style.height = `${units.y(rect.height)}px`;
  }

  Common(element, focusable) {
    const data = this.data_;
    element.hidden = data.visible === false;
    element.classList.toggle('disabled', data.enabled === false);
    if (focusable) {
      if ('disabled' in focusable) focusable.disabled = data.enabled === false;
      const tabStop = (data.style & WS_TABSTOP) !== 0 || data.kind === 'button' ||
                      data.kind === 'defbutton';
      focusable.tabIndex = tabStop ? 0 : -1;
    }
  }
}

class StaticControl extends Control {
  Build() {
    this.element = El('div', {className: 'ctl ctl-static'});
    return this.element;
  }

  Update(data) {
    this.data_ = data;
    const align = data.style & SS_TYPEMASK;
    this.element.classList.toggle('center', align === SS_CENTER);
    this.element.classList.toggle('right', align === SS_RIGHT);
    SetLabel(this.element, data.text);
    this.Place(this.element);
    this.Common(this.element);
  }
}

class GroupBoxControl extends Control {
  Build() {
    this.caption_ = El('span');
    this.element = El('div', {className: 'ctl ctl-groupbox'}, [this.caption_]);
    return this.element;
  }

  Update(data) {
    this.data_ = data;
    SetLabel(this.caption_, data.text);
    this.caption_.hidden = !data.text;
    this.Place(this.element);
    this.Common(this.element);
  }
}

class IconControl extends Control {
  Build() {
    this.element = El('div', {className: 'ctl ctl-icon'});
    return this.element;
  }

  Update(data) {
    this.data_ = data;
    const known = ['error', 'question', 'warning', 'information'];
    const icon = known.includes(data.image) ? data.image : 'information';
    this.element.replaceChildren(El('span', {className: `mb-icon icon-${icon}`, role: 'img',
                                             'aria-label': T(`icon_${icon}`)}));
    this.Place(this.element);
    this.Common(this.element);
  }
}

class ButtonControl extends Control {
  Build() {
    this.element = El('button', {className: 'ctl dlg-button', type: 'button'});
    this.element.addEventListener('click', () => this.Post('click'));
    return this.element;
  }

  Update(data) {
    this.data_ = data;
    SetLabel(this.element, data.text);
    this.element.classList.toggle('default', data.kind === 'defbutton');
    this.Place(this.element);
    this.Common(this.element, this.element);
  }
}

// Check boxes and radio buttons. Radio buttons of one group take one Tab stop and move with
// the arrow keys, as in a Windows dialog.
class CheckControl extends Control {
  Build() {
    const radio = this.data_.kind === 'radio';
    this.input_ = El('input', {type: radio ? 'radio' : 'checkbox'});
    this.input_.id = `${this.context_.prefix}-${this.data_.id}-${this.context_.serial}`;
    this.text_ = El('label', {for: this.input_.id});
    this.element = El('div', {className: 'ctl ctl-check'}, [this.input_, this.text_]);
    this.input_.addEventListener('click', (event) => {
      event.preventDefault();
      this.Post('click');
    });
    if (radio) this.input_.addEventListener('keydown', (event) => this.OnKey(event));
    return this.element;
  }

  Update(data) {
    this.data_ = data;
    SetLabel(this.text_, data.text);
    this.input_.checked = data.checked === 1;
    this.input_.indeterminate = data.checked === 2;
    if (data.kind === 'radio') this.input_.name = `${this.context_.prefix}-group-${data.group}`;
    this.Place(this.element);
    this.Common(this.element, this.input_);
    if (data.kind === 'radio') {
      this.input_.tabIndex = data.groupTabStop ? 0 : -1;
    }
  }

  OnKey(event) {
    const step = {ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1}[event.key];
    if (!step) return;
    event.preventDefault();
    const group = this.context_.radioGroup(this.data_.group);
    const at = group.indexOf(this);
    for (let n = 1; n <= group.length; ++n) {
      const next = group[(at + step * n + group.length * n) % group.length];
      if (next.data_.enabled !== false && next.data_.visible !== false) {
        next.input_.focus();
        next.Post('click');
        return;
      }
    }
  }

  Focusable() {
    return this.input_;
  }
}

class EditControl extends Control {
  Build() {
    const data = this.data_;
    const multi = (data.style & ES_MULTILINE) !== 0;
    this.input_ = multi ? El('textarea', {className: 'ctl ctl-edit'}) :
                          El('input', {className: 'ctl ctl-edit',
                                       type: data.style & ES_PASSWORD ? 'password' : 'text'});
    if (data.style & ES_NUMBER) this.input_.inputMode = 'numeric';
    this.input_.autocomplete = 'off';
    this.input_.spellcheck = false;
    this.input_.dataset.wantReturn = String(multi && (data.style & ES_WANTRETURN) !== 0);
    this.input_.addEventListener('input', () => this.Send());
    this.input_.addEventListener('keydown', (event) => {
      const spin = this.context_.buddyOf(this.data_.id);
      if (spin && (event.key === 'ArrowUp' || event.key === 'ArrowDown')) {
        event.preventDefault();
        spin.Post('spin', event.key === 'ArrowUp' ? 'up' : 'down');
      }
    });
    this.element = this.input_;
    return this.element;
  }

  // Every change goes to the console at once, so that its handlers see each edit; answers
  // do not overwrite what is typed while changes are still on their way.
  async Send() {
    ++this.pending_;
    try {
      await this.Post('setText', this.input_.value);
    } finally {
      --this.pending_;
    }
  }

  Update(data) {
    this.data_ = data;
    const focused = document.activeElement === this.input_;
    if (!(focused && this.pending_) && this.input_.value !== (data.text ?? '')) {
      this.input_.value = data.text ?? '';
    }
    this.input_.readOnly = !!data.readonly;
    this.input_.setAttribute('aria-label', this.context_.label);
    this.Place(this.input_);
    this.Common(this.input_, this.input_);
  }
}

class ComboControl extends Control {
  Build() {
    const editable = (this.data_.style & CBS_TYPEMASK) === CBS_DROPDOWN;
    if (editable) {
      this.list_ = El('datalist');
      this.list_.id = `${this.context_.prefix}-list-${this.data_.id}-${this.context_.serial}`;
      this.select_ = El('input', {type: 'text', className: 'ctl-combo-input', autocomplete: 'off'});
      this.select_.setAttribute('list', this.list_.id);
      this.select_.addEventListener('input', () => this.Post('setText', this.select_.value));
    } else {
      this.select_ = El('select');
      this.select_.addEventListener('change', () => this.Post('select', this.select_.selectedIndex));
    }
    this.editable_ = editable;
    const icon = this.data_.kind === 'comboex' ? El('span', {className: 'combo-icon'}) : null;
    this.icon_ = icon;
    this.element = El('div', {className: `ctl ctl-combo ctl-${this.data_.kind}`},
                      [icon, this.select_, this.list_]);
    return this.element;
  }

  Update(data) {
    this.data_ = data;
    const items = data.items || [];
    const target = this.editable_ ? this.list_ : this.select_;
    const current = [...target.options].map((option) => option.text);
    if (JSON.stringify(current) !== JSON.stringify(items)) {
      target.replaceChildren(...items.map((item) => El('option', {text: item, value: item})));
    }
    if (this.editable_) {
      if (document.activeElement !== this.select_) this.select_.value = data.text ?? '';
    } else {
      this.select_.selectedIndex = data.selected ?? -1;
    }
    if (this.icon_) {
      const image = data.images?.[data.selected];
      this.icon_.replaceChildren(image !== undefined && data.selected >= 0 ?
                                     ConsoleImage(image) : '');
    }
    this.select_.setAttribute('aria-label', this.context_.label);
    // A combo's template height includes its drop-down list; the field is one line.
    this.Place(this.element);
    this.element.style.height = 'auto';
    this.Common(this.element, this.select_);
  }
}

// A report-mode list view with columns; rows beyond the first answer are read on scroll.
class ListViewControl extends Control {
  Build() {
    this.head_ = El('tr', {role: 'row'});
    this.body_ = El('tbody', {role: 'rowgroup'});
    this.table_ = El('table', {role: 'grid'}, [El('thead', {role: 'rowgroup'}, [this.head_]),
                                               this.body_]);
    this.element = El('div', {className: 'ctl ctl-listview'}, [this.table_]);
    this.table_.tabIndex = 0;
    this.rows_ = [];
    this.anchor_ = -1;
    this.focused_ = -1;
    this.table_.addEventListener('click', (event) => this.OnClick(event));
    this.table_.addEventListener('dblclick', (event) => {
      const row = this.RowOf(event);
      if (row >= 0) this.Post('doubleClick', row);
    });
    this.table_.addEventListener('contextmenu', (event) => {
      const row = this.RowOf(event);
      event.preventDefault();
      this.Post('context', row);
    });
    this.table_.addEventListener('keydown', (event) => this.OnKey(event));
    this.element.addEventListener('scroll', () => this.MaybeReadMore());
    return this.element;
  }

  RowOf(event) {
    const tr = event.target.closest('tr[data-row]');
    return tr ? Number(tr.dataset.row) : -1;
  }

  Update(data) {
    this.data_ = data;
    const columns = data.columns || [];
    this.head_.replaceChildren(...columns.map((column, index) => {
      const th = El('th', {role: 'columnheader', textContent: column.title});
      if (column.width > 0) th.style.width = `${column.width}px`;
      th.addEventListener('click', () => this.Post('column', index));
      return th;
    }));
    this.rows_ = (data.rows || []).slice();
    this.count_ = data.count ?? this.rows_.length;
    this.selected_ = new Set(data.selectedRows || []);
    this.DrawRows();
    this.table_.setAttribute('aria-label', this.context_.label);
    this.table_.setAttribute('aria-rowcount', String(this.count_ + 1));
    this.table_.setAttribute('aria-multiselectable', String(!(data.style & LVS_SINGLESEL)));
    this.Place(this.element);
    this.Common(this.element);
    this.table_.tabIndex = data.enabled === false ? -1 : 0;
  }

  // Rows are made again only when their texts change, so that a row clicked twice stays
  // the same element (a double click needs that); selection changes are marked in place.
  DrawRows() {
    const columns = this.data_.columns || [{}];
    const key = JSON.stringify([columns, this.rows_.map((row) => [row.texts, row.image])]);
    if (key !== this.rowsKey_) {
      this.rowsKey_ = key;
      this.body_.replaceChildren(...this.rows_.map((row, index) => {
        const cells = columns.map((column, c) => El('td', {role: 'gridcell'}, [
          c === 0 && row.image !== undefined && row.image >= 0 ? ConsoleImage(row.image) : null,
          row.texts?.[c] ?? '']));
        const tr = El('tr', {role: 'row'}, cells);
        tr.dataset.row = index;
        return tr;
      }));
    }
    [...this.body_.children].forEach((tr, index) => {
      tr.setAttribute('aria-selected', String(this.selected_.has(index)));
      tr.classList.toggle('focused', index === this.focused_);
    });
  }

  async MaybeReadMore() {
    if (this.reading_ || this.rows_.length >= this.count_) return;
    const element = this.element;
    if (element.scrollTop + element.clientHeight < element.scrollHeight - 40) return;
    this.reading_ = true;
    try {
      const first = this.rows_.length;
      const last = Math.min(this.count_ - 1, first + 199);
      const answer = await this.Post('rows', [first, last]);
      for (const row of answer?.rows || []) this.rows_.push(row);
      this.DrawRows();
    } finally {
      this.reading_ = false;
    }
  }

  OnClick(event) {
    const row = this.RowOf(event);
    if (row < 0) return;
    this.Choose(row, event.shiftKey ? 'range' : event.ctrlKey || event.metaKey ? 'toggle' : '');
  }

  Choose(row, mode) {
    let rows;
    if (mode === 'toggle' && !(this.data_.style & LVS_SINGLESEL)) {
      const set = new Set(this.selected_);
      if (set.has(row)) {
        set.delete(row);
      } else {
        set.add(row);
      }
      rows = [...set].sort((a, b) => a - b);
    } else if (mode === 'range' && !(this.data_.style & LVS_SINGLESEL) && this.anchor_ >= 0) {
      rows = [];
      for (let n = Math.min(this.anchor_, row); n <= Math.max(this.anchor_, row); ++n) rows.push(n);
    } else {
      rows = [row];
      this.anchor_ = row;
    }
    this.focused_ = row;
    this.selected_ = new Set(rows);
    this.DrawRows();
    this.Post('selectRows', rows);
  }

  OnKey(event) {
    const count = this.count_;
    if (!count) return;
    const at = this.focused_ >= 0 ? this.focused_ : [...this.selected_][0] ?? -1;
    const page = 8;
    const target = {ArrowDown: at + 1, ArrowUp: at - 1, PageDown: at + page, PageUp: at - page,
                    Home: 0, End: count - 1}[event.key];
    if (target === undefined) return;
    event.preventDefault();
    event.stopPropagation();
    const row = Math.max(0, Math.min(count - 1, target));
    this.Choose(row, event.shiftKey ? 'range' : '');
    this.body_.children[row]?.scrollIntoView({block: 'nearest'});
  }

  Focusable() {
    return this.table_;
  }
}

class UpDownControl extends Control {
  Build() {
    this.up_ = El('button', {type: 'button', textContent: '▲', tabIndex: -1});
    this.down_ = El('button', {type: 'button', textContent: '▼', tabIndex: -1});
    this.up_.addEventListener('click', () => this.Post('spin', 'up'));
    this.down_.addEventListener('click', () => this.Post('spin', 'down'));
    this.element = El('div', {className: 'ctl ctl-updown'}, [this.up_, this.down_]);
    return this.element;
  }

  Update(data) {
    this.data_ = data;
    this.up_.setAttribute('aria-label', T('spinUp', this.context_.label));
    this.down_.setAttribute('aria-label', T('spinDown', this.context_.label));
    this.up_.disabled = this.down_.disabled = data.enabled === false;
    this.Place(this.element);
    this.Common(this.element);
  }
}

class TabControl extends Control {
  Build() {
    this.element = El('div', {className: 'ctl ctl-tab', role: 'tablist'});
    return this.element;
  }

  Update(data) {
    this.data_ = data;
    this.element.replaceChildren(...(data.tabs || []).map((title, index) => {
      const tab = El('button', {type: 'button', role: 'tab', textContent: title,
                                'aria-selected': String(index === data.selected)});
      tab.addEventListener('click', () => this.Post('select', index));
      return tab;
    }));
    this.Place(this.element);
    this.element.style.height = 'auto';
    this.Common(this.element);
  }
}

// Animations (the wait box's film), size grips, separators, bitmaps and unknown classes:
// drawn, with nothing to act on.
class PlainControl extends Control {
  Build() {
    const kind = this.data_.kind;
    const className = {animation: 'ctl-animation', sizegrip: 'ctl-sizegrip',
                       separator: 'ctl-separator'}[kind] || 'ctl-other';
    this.element = El('div', {className: `ctl ${className}`, 'aria-hidden': 'true'});
    if (kind === 'animation') this.element.append(El('span', {className: 'spinner'}));
    return this.element;
  }

  Update(data) {
    this.data_ = data;
    this.Place(this.element);
    if (data.kind === 'separator') this.element.style.height = '2px';
    this.Common(this.element);
  }
}

const kKinds = {
  static: StaticControl, groupbox: GroupBoxControl, icon: IconControl, bitmap: PlainControl,
  button: ButtonControl, defbutton: ButtonControl, checkbox: CheckControl, radio: CheckControl,
  edit: EditControl, combo: ComboControl, comboex: ComboControl, listview: ListViewControl,
  updown: UpDownControl, tab: TabControl, animation: PlainControl, sizegrip: PlainControl,
  separator: PlainControl, scrollbar: PlainControl, other: PlainControl,
};

// Makes the control of `data` (built, not yet updated).
export function CreateControl(data, context) {
  const Kind = kKinds[data.kind] || PlainControl;
  const control = new Kind(data, context);
  control.Build();
  return control;
}

// Numbers the radio groups as Windows does (a WS_GROUP control starts a new group) and marks
// the one Tab stop of each group: its checked button, else its first.
export function MarkRadioGroups(controls) {
  let group = 0;
  let inRadios = false;
  const groups = new Map();
  for (const control of controls) {
    if (control.style & WS_GROUP || (control.kind === 'radio' && !inRadios)) ++group;
    inRadios = control.kind === 'radio';
    if (control.kind !== 'radio') continue;
    control.group = group;
    if (!groups.has(group)) groups.set(group, []);
    groups.get(group).push(control);
  }
  for (const members of groups.values()) {
    const stop = members.find((member) => member.checked === 1) || members[0];
    for (const member of members) member.groupTabStop = member === stop;
  }
}
