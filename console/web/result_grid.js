// ResultGrid: the result pane's list — an ARIA grid that draws only the rows in sight and asks
// the console for them (the console gives a virtual list its cache hint first), with sortable
// and resizable columns, multiple selection, type-ahead and a filter.

import {ConsoleImage, El} from './dom.js';
import {T} from './i18n.js';

const kRowHeight = 22;
const kMaxRead = 1000;       // rows per read, as the console allows
const kFilterLimit = 20000;  // lists up to this size are filtered in the page
const kAutoWidth = 160;

// Made for one view and lives as long as the page; SetPane points it at what the view shows.
// `events`: select(rows) after the person changed the selection, find(text, start) → index,
// sort(column, descending), open(index) for the default verb, contextMenu(x, y),
// key(name) for verb keys (delete, rename, refresh, properties), rename(index, text).
export class ResultGrid {
  constructor(api, events) {
    this.api_ = api;
    this.events_ = events;
    this.view_ = 0;
    this.columns_ = [];
    this.widths_ = new Map();  // column set → widths a person chose
    this.count_ = 0;
    this.cache_ = new Map();
    this.stale_ = new Map();  // rows read before the last change, drawn until read again
    this.selecting_ = 0;      // selection changes sent and not yet answered
    this.selection_ = new Set();
    this.focused_ = -1;
    this.anchor_ = -1;
    this.sort_ = {column: -1, descending: false};
    this.filter_ = '';
    this.filtered_ = null;  // the indexes shown while a filter applies
    this.generation_ = 0;
    this.typed_ = '';
    this.typedAt_ = 0;
    this.Build();
  }

  get element() {
    return this.element_;
  }

  Build() {
    this.headerInner_ = El('div', {className: 'grid-header-inner', role: 'row',
                                   'aria-rowindex': 1});
    this.header_ = El('div', {className: 'grid-header', role: 'rowgroup'}, [this.headerInner_]);
    this.spacer_ = El('div', {className: 'grid-spacer', role: 'presentation'});
    this.scroller_ = El('div', {className: 'grid-scroller', role: 'rowgroup'}, [this.spacer_]);
    this.element_ = El('div', {className: 'grid', role: 'grid', tabIndex: 0,
                               'aria-multiselectable': 'true'},
                       [this.header_, this.scroller_]);
    this.element_.id = 'result-grid';
    // The grid itself scrolls (its header sticks), so that the element that has the focus
    // is the one that scrolls.
    this.element_.addEventListener('scroll', () => this.ScheduleDraw());
    this.element_.addEventListener('keydown', (event) => this.OnKey(event));
    this.scroller_.addEventListener('mousedown', (event) => this.OnMouseDown(event));
    this.scroller_.addEventListener('dblclick', (event) => this.OnDoubleClick(event));
    this.scroller_.addEventListener('contextmenu', (event) => this.OnContextMenu(event));
    new ResizeObserver(() => this.ScheduleDraw()).observe(this.element_);
  }

  // Shows the list of `view`: its columns, row count, selection and focus. `changed` drops
  // the rows read so far (the console's revision moved).
  SetPane(view, pane, selection, focused, changed, label) {
    // Another scope item starts afresh even with the same columns.
    const columnsKey = JSON.stringify([pane.item, (pane.columns || []).map((c) => c.title)]);
    const newColumns = columnsKey !== this.columnsKey_;
    this.view_ = view;
    this.item_ = pane.item;
    this.columnsKey_ = columnsKey;
    this.columns_ = pane.columns || [];
    this.count_ = pane.count || 0;
    this.sortable_ = pane.sortable !== false;
    this.element_.setAttribute('aria-multiselectable', String(!pane.singleSelection));
    this.single_ = !!pane.singleSelection;
    if (newColumns) {
      this.sort_ = {column: -1, descending: false};
      this.focused_ = -1;
      this.anchor_ = -1;
      this.element_.scrollTop = 0;
      this.cache_.clear();
      this.stale_.clear();
    } else if (changed) {
      this.Invalidate();
    }
    // While the person's own selection changes are on their way, the page's is newer.
    // A row found by typing is selected but keeps the page's focus.
    if (!this.selecting_) {
      this.selection_ = new Set(selection || []);
      if (focused !== undefined && focused !== null && focused >= 0 &&
          (this.selection_.has(focused) || !this.selection_.has(this.focused_))) {
        this.focused_ = focused;
      }
    }
    if (this.focused_ >= this.count_) this.focused_ = this.count_ - 1;
    this.element_.setAttribute('aria-label', label || T('resultPane'));
    this.element_.setAttribute('aria-colcount', String(this.columns_.length));
    this.DrawHeader();
    if (this.filter_) {
      this.ApplyFilter(this.filter_);
    } else {
      this.Layout();
    }
  }

  Focus() {
    this.element_.focus();
  }

  // The rows read so far may be out of date: they stay drawn until read again.
  Invalidate() {
    for (const [index, row] of this.cache_) this.stale_.set(index, row);
    this.cache_.clear();
  }

  // Hands the selection to the console; answers that come meanwhile do not undo it.
  async SendSelection() {
    ++this.selecting_;
    try {
      await this.events_.select(this.SelectedRows());
    } finally {
      --this.selecting_;
    }
  }

  HasFocus() {
    return this.element_.contains(document.activeElement);
  }

  SelectedRows() {
    return [...this.selection_].sort((a, b) => a - b);
  }

  // The width a column is drawn with.
  Width(index) {
    const chosen = this.widths_.get(this.columnsKey_);
    if (chosen && chosen[index]) return chosen[index];
    const width = this.columns_[index]?.width;
    return width > 0 ? width : kAutoWidth;
  }

  TotalWidth() {
    let total = 0;
    for (let i = 0; i < this.columns_.length; ++i) total += this.Width(i);
    return Math.max(total, 1);
  }

  DrawHeader() {
    const cells = this.columns_.map((column, index) => {
      const cell = El('div', {className: 'grid-col', role: 'columnheader',
                              'aria-colindex': index + 1, tabIndex: -1,
                              title: this.sortable_ ? T('sortBy', column.title) : null},
                      [El('span', {textContent: column.title}),
                       El('span', {className: 'sort-arrow', 'aria-hidden': 'true'})]);
      cell.style.width = `${this.Width(index)}px`;
      if (this.sort_.column === index) {
        cell.setAttribute('aria-sort', this.sort_.descending ? 'descending' : 'ascending');
      }
      cell.addEventListener('click', (event) => {
        if (event.target.classList.contains('grid-col-resize') || !this.sortable_) return;
        this.Sort(index);
        this.Focus();
      });
      const grip = El('span', {className: 'grid-col-resize', 'aria-hidden': 'true'});
      grip.addEventListener('pointerdown', (event) => this.StartResize(event, index, cell));
      cell.append(grip);
      return cell;
    });
    this.headerInner_.replaceChildren(...cells);
  }

  // A click on a header sorts by that column; a second click reverses the order.
  Sort(column) {
    const descending = this.sort_.column === column ? !this.sort_.descending : false;
    this.sort_ = {column, descending};
    this.Invalidate();
    this.DrawHeader();
    this.events_.sort(column, descending);
  }

  StartResize(event, index, cell) {
    event.preventDefault();
    event.stopPropagation();
    const startX = event.clientX;
    const startWidth = this.Width(index);
    const widths = this.widths_.get(this.columnsKey_) || [];
    this.widths_.set(this.columnsKey_, widths);
    const grip = event.target;
    grip.setPointerCapture(event.pointerId);
    const move = (moveEvent) => {
      widths[index] = Math.max(24, startWidth + moveEvent.clientX - startX);
      cell.style.width = `${widths[index]}px`;
      this.Layout();
    };
    const up = () => {
      grip.removeEventListener('pointermove', move);
      grip.removeEventListener('pointerup', up);
    };
    grip.addEventListener('pointermove', move);
    grip.addEventListener('pointerup', up);
  }

  // The number of rows shown, and the console's index of shown row `n`.
  ShownCount() {
    return this.filtered_ ? this.filtered_.length : this.count_;
  }

  IndexAt(n) {
    return this.filtered_ ? this.filtered_[n] : n;
  }

  ShownPosition(index) {
    return this.filtered_ ? this.filtered_.indexOf(index) : index;
  }

  Layout() {
    this.spacer_.style.height = `${this.ShownCount() * kRowHeight}px`;
    this.spacer_.style.width = `${this.TotalWidth()}px`;
    this.element_.setAttribute('aria-rowcount', String(this.ShownCount() + 1));
    this.Draw();
  }

  ScheduleDraw() {
    if (this.drawPending_) return;
    this.drawPending_ = true;
    requestAnimationFrame(() => {
      this.drawPending_ = false;
      this.Draw();
    });
  }

  // The shown rows in sight: [first, last], inclusive.
  Range() {
    const top = this.element_.scrollTop;
    const height = this.PageHeight();
    const first = Math.max(0, Math.floor(top / kRowHeight));
    const last = Math.min(this.ShownCount() - 1, Math.ceil((top + height) / kRowHeight));
    return [first, last];
  }

  Draw() {
    const [first, last] = this.Range();
    const rows = [];
    const missing = [];
    for (let n = first; n <= last; ++n) {
      const index = this.IndexAt(n);
      const data = this.cache_.get(index);
      if (!data) missing.push(index);
      rows.push(this.MakeRow(n, index, data || this.stale_.get(index)));
    }
    this.spacer_.replaceChildren(...rows);
    if (!this.count_) {
      this.spacer_.append(El('div', {className: 'grid-empty', role: 'row'},
                             [El('span', {role: 'gridcell', textContent: T('noItems')})]));
    }
    this.UpdateActive();
    if (missing.length) this.Fetch(Math.min(...missing), Math.max(...missing));
  }

  // Reads the rows first..last from the console (in order, so that a virtual list gets its
  // cache hint for exactly what is drawn) and draws again when they arrive.
  async Fetch(first, last) {
    const generation = ++this.generation_;
    try {
      for (let from = first; from <= last; from += kMaxRead) {
        if (!(await this.ReadRows(from, Math.min(last, from + kMaxRead - 1)))) return;
      }
    } catch (error) {
      this.events_.error(error);
      return;
    }
    if (generation === this.generation_) {
      this.stale_.clear();
      this.Draw();
    }
  }

  // Reads rows from..to into the cache. False when the answer is not for the list shown now:
  // the grid moved to another list, or the console did (its rows are then another list's).
  async ReadRows(from, to) {
    const view = this.view_;
    const columnsKey = this.columnsKey_;
    const answer = await this.api_.Get(`/views/${view}/rows?first=${from}&last=${to}`);
    if (view !== this.view_ || columnsKey !== this.columnsKey_ || answer.item !== this.item_) {
      return false;
    }
    for (const row of answer.rows || []) this.cache_.set(row.index, row);
    return true;
  }

  MakeRow(n, index, data) {
    const selected = this.selection_.has(index);
    const cells = this.columns_.map((column, c) => {
      const cell = El('div', {className: 'grid-cell', role: 'gridcell', 'aria-colindex': c + 1});
      if (column.format === 'right') cell.classList.add('right');
      if (column.format === 'center') cell.classList.add('center');
      cell.style.width = `${this.Width(c)}px`;
      if (data) {
        if (c === 0) cell.append(ConsoleImage(data.image, this.view_));
        cell.append(El('span', {textContent: data.texts?.[c] ?? ''}));
      } else if (c === 0) {
        cell.append(El('span', {textContent: '…'}));
      }
      return cell;
    });
    const row = El('div', {className: 'grid-row', role: 'row', 'aria-rowindex': n + 2,
                           'aria-selected': String(selected)}, cells);
    row.id = `row-${index}`;
    row.dataset.index = index;
    row.style.top = `${n * kRowHeight}px`;
    row.style.width = `${this.TotalWidth()}px`;
    if (!data) row.classList.add('loading');
    if (index === this.focused_) row.classList.add('focused');
    return row;
  }

  UpdateActive() {
    const row = this.focused_ >= 0 ? document.getElementById(`row-${this.focused_}`) : null;
    if (row) {
      this.element_.setAttribute('aria-activedescendant', row.id);
    } else {
      this.element_.removeAttribute('aria-activedescendant');
    }
  }

  // The height of the rows' part of the grid (below the header).
  PageHeight() {
    return Math.max(kRowHeight, (this.element_.clientHeight || 400) - this.header_.offsetHeight);
  }

  // Puts shown row `n` in sight.
  Reveal(n) {
    const top = n * kRowHeight;
    const height = this.PageHeight();
    if (top < this.element_.scrollTop) {
      this.element_.scrollTop = top;
    } else if (top + kRowHeight > this.element_.scrollTop + height) {
      this.element_.scrollTop = top + kRowHeight - height;
    }
  }

  // Moves the focus to console row `index`; `mode`: 'single', 'toggle', 'range', 'focus'.
  FocusRow(index, mode) {
    if (index < 0 || index >= this.count_) return;
    if (this.single_ && (mode === 'toggle' || mode === 'range')) mode = 'single';
    this.focused_ = index;
    if (mode === 'single') {
      this.selection_ = new Set([index]);
      this.anchor_ = index;
    } else if (mode === 'toggle') {
      if (this.selection_.has(index)) {
        this.selection_.delete(index);
      } else {
        this.selection_.add(index);
      }
      this.anchor_ = index;
    } else if (mode === 'range') {
      const anchor = this.anchor_ >= 0 ? this.ShownPosition(this.anchor_) : 0;
      const at = this.ShownPosition(index);
      this.selection_ = new Set();
      for (let n = Math.min(anchor, at); n <= Math.max(anchor, at); ++n) {
        this.selection_.add(this.IndexAt(n));
      }
    }
    this.Reveal(this.ShownPosition(index));
    this.Draw();
    if (mode !== 'focus') this.SendSelection();
  }

  RowOf(target) {
    const row = target.closest?.('.grid-row');
    return row ? Number(row.dataset.index) : -1;
  }

  OnMouseDown(event) {
    if (event.button !== 0 || event.target.tagName === 'INPUT') return;
    const index = this.RowOf(event.target);
    if (index < 0) return;
    event.preventDefault();
    this.Focus();
    const mode = event.shiftKey ? 'range' : event.ctrlKey || event.metaKey ? 'toggle' : 'single';
    this.FocusRow(index, mode);
  }

  OnDoubleClick(event) {
    const index = this.RowOf(event.target);
    if (index >= 0) this.events_.open(index);
  }

  OnContextMenu(event) {
    event.preventDefault();
    const index = this.RowOf(event.target);
    this.Focus();
    if (index >= 0 && !this.selection_.has(index)) this.FocusRow(index, 'single');
    this.events_.contextMenu(event.clientX, event.clientY);
  }

  OnKey(event) {
    if (event.target.tagName === 'INPUT') return;
    const shown = this.ShownCount();
    if (!shown) return;
    const page = Math.max(1, Math.floor(this.PageHeight() / kRowHeight) - 1);
    const at = this.focused_ >= 0 ? this.ShownPosition(this.focused_) : -1;
    const mode = event.shiftKey ? 'range' : event.ctrlKey ? 'focus' : 'single';
    let target = null;
    switch (event.key) {
      case 'ArrowDown': target = at + 1; break;
      case 'ArrowUp': target = Math.max(0, at - 1); break;
      case 'PageDown': target = at + page; break;
      case 'PageUp': target = at - page; break;
      case 'Home': target = 0; break;
      case 'End': target = shown - 1; break;
      case ' ':
        if (event.ctrlKey && this.focused_ >= 0) {
          this.FocusRow(this.focused_, 'toggle');
          event.preventDefault();
          return;
        }
        break;
      case 'a':
        if (event.ctrlKey) {
          this.selection_ = new Set();
          for (let n = 0; n < shown; ++n) this.selection_.add(this.IndexAt(n));
          this.Draw();
          this.SendSelection();
          event.preventDefault();
          return;
        }
        break;
      case 'Enter':
        if (this.focused_ >= 0 && !event.altKey) {
          this.events_.open(this.focused_);
          event.preventDefault();
        }
        return;
      default:
        break;
    }
    if (target !== null) {
      target = Math.min(shown - 1, Math.max(0, target));
      this.FocusRow(this.IndexAt(target), mode);
      event.preventDefault();
      event.stopPropagation();
      return;
    }
    this.TypeAhead(event);
  }

  // Typed letters look for a row by its first column, through the console's own search.
  async TypeAhead(event) {
    if (event.key.length !== 1 || event.ctrlKey || event.altKey || event.metaKey) return;
    event.preventDefault();
    const now = event.timeStamp;
    this.typed_ = now - this.typedAt_ > 1000 ? event.key : this.typed_ + event.key;
    this.typedAt_ = now;
    const start = this.typed_.length === 1 ? this.focused_ + 1 : Math.max(0, this.focused_);
    const index = await this.events_.find(this.typed_, start >= this.count_ ? 0 : start);
    if (index >= 0) {
      this.focused_ = index;
      this.anchor_ = index;
      this.selection_ = new Set([index]);
      const position = this.ShownPosition(index);
      if (position >= 0) this.Reveal(position);
      this.Draw();
    }
  }

  // Shows only the rows with `text` in any column (case ignored). Long lists are not read
  // whole: there the filter finds the next row that starts with the text instead.
  async ApplyFilter(text) {
    this.filter_ = text;
    if (!text) {
      this.filtered_ = null;
      this.Layout();
      return {shown: this.count_, total: this.count_, partial: false};
    }
    if (this.count_ > kFilterLimit) {
      this.filtered_ = null;
      this.Layout();
      const index = await this.events_.find(text, 0);
      if (index >= 0) {
        this.focused_ = index;
        this.selection_ = new Set([index]);
        this.Reveal(index);
        this.Draw();
      }
      return {shown: index >= 0 ? 1 : 0, total: this.count_, partial: true};
    }
    for (let from = 0; from < this.count_; from += kMaxRead) {
      const to = Math.min(this.count_ - 1, from + kMaxRead - 1);
      let complete = true;
      for (let i = from; i <= to; ++i) {
        if (!this.cache_.has(i)) {
          complete = false;
          break;
        }
      }
      if (complete) continue;
      if (!(await this.ReadRows(from, to)) || text !== this.filter_) return null;
    }
    const wanted = text.toLowerCase();
    this.filtered_ = [];
    for (let i = 0; i < this.count_; ++i) {
      const row = this.cache_.get(i);
      if (row && (row.texts || []).some((cell) => cell.toLowerCase().includes(wanted))) {
        this.filtered_.push(i);
      }
    }
    this.element_.scrollTop = 0;
    this.Layout();
    return {shown: this.filtered_.length, total: this.count_, partial: false};
  }

  // Edits the first column of the focused row in place, in an editor over the row that
  // survives redrawing; Enter hands the text to events.rename.
  StartRename() {
    const index = this.focused_;
    const position = this.ShownPosition(index);
    if (index < 0 || position < 0) return;
    this.Reveal(position);
    const old = (this.cache_.get(index) || this.stale_.get(index))?.texts?.[0] ?? '';
    const input = El('input', {className: 'inline-edit grid-editor', type: 'text', value: old});
    input.setAttribute('aria-label', old);
    input.style.top = `${position * kRowHeight}px`;
    input.style.width = `${this.Width(0)}px`;
    // Beside the rows, not among them, so that redrawing the rows leaves it alone.
    this.editor_ = input;
    this.scroller_.append(input);
    input.select();
    input.focus();
    let done = false;
    const finish = (accept) => {
      if (done) return;
      done = true;
      this.editor_ = null;
      input.remove();
      this.Focus();
      if (accept && input.value !== old) this.events_.rename(index, input.value);
    };
    input.addEventListener('keydown', (event) => {
      event.stopPropagation();
      if (event.key === 'Enter') finish(true);
      if (event.key === 'Escape') finish(false);
    });
    input.addEventListener('blur', () => {
      if (input.isConnected) finish(true);
    });
    input.addEventListener('mousedown', (event) => event.stopPropagation());
  }
}
