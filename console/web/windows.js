// WindowLayer: the console's top-level windows — dialogs, property sheets, wizards, message
// boxes, wait boxes and control popup menus — as movable page windows, modal ones over a
// shade that keeps the rest of the page inert.

import {ControlLabels, CreateControl, DialogUnits, MarkRadioGroups} from './controls.js';
import {El, MnemonicOf, SetLabel} from './dom.js';
import {T} from './i18n.js';
import {ShowMenu} from './menu.js';

// Lives as long as the page. `events`: error(error), status(text).
export class WindowLayer {
  constructor(element, frame, api, events) {
    this.element_ = element;
    this.frame_ = frame;
    this.api_ = api;
    this.events_ = events;
    this.views_ = new Map();
    this.shade_ = El('div', {className: 'modal-shade'});
    this.menus_ = new Set();
    this.placed_ = 0;
  }

  // Shows exactly `windows` (topmost last).
  Update(windows) {
    const ids = new Set(windows.map((w) => w.id));
    for (const [id, view] of this.views_) {
      if (!ids.has(id)) {
        view.Remove();
        this.views_.delete(id);
      }
    }
    const shown = windows.filter((w) => w.kind !== 'menu');
    let topModal = -1;
    shown.forEach((w, index) => {
      if (w.modal) topModal = index;
    });
    shown.forEach((data, index) => {
      let view = this.views_.get(data.id);
      const isNew = !view;
      if (isNew) {
        view = new WindowView(data, this, this.placed_++);
        this.views_.set(data.id, view);
      }
      view.Update(data);
      view.element.style.zIndex = String(10 + index * 2);
      view.element.inert = index < topModal || data.enabled === false;
      view.element.classList.toggle('inactive', index !== shown.length - 1);
      if (isNew) view.FocusFirst();
    });
    if (topModal >= 0) {
      this.shade_.style.zIndex = String(9 + topModal * 2);
      if (!this.shade_.isConnected) this.element_.prepend(this.shade_);
    } else {
      this.shade_.remove();
    }
    this.frame_.inert = topModal >= 0;
    for (const menu of windows.filter((w) => w.kind === 'menu')) this.ShowControlMenu(menu);
  }

  Has(kind) {
    return [...this.views_.values()].some((view) => view.kind === kind);
  }

  // A control's popup menu: the person's choice (or dismissal) goes back to that window.
  async ShowControlMenu(data) {
    if (this.menus_.has(data.id)) return;
    this.menus_.add(data.id);
    const at = this.lastPointer_ || {x: window.innerWidth / 2, y: window.innerHeight / 2};
    const items = (data.items || []).map((item) => ({...item}));
    const chosen = await ShowMenu(items, at.x, at.y, this.events_.status, data.title || T('menu'));
    await this.Act(data.id, 'button', {button: chosen ? chosen.command : 'cancel'});
  }

  NotePointer(event) {
    this.lastPointer_ = {x: event.clientX, y: event.clientY};
  }

  // Sends an action of window `id`; errors are shown and leave the window as it is.
  async Act(id, path, body) {
    try {
      return await this.api_.Post(`/windows/${id}/${path}`, body);
    } catch (error) {
      this.events_.error(error);
      return null;
    }
  }
}

// One window on the page; made when the console reports it and removed when it goes.
class WindowView {
  constructor(data, layer, serial) {
    this.layer_ = layer;
    this.id = data.id;
    this.kind = data.kind;
    this.serial_ = serial;
    this.controls_ = new Map();
    this.pageKey_ = null;
    this.titleId_ = `window-title-${data.id}`;
    this.title_ = El('h2', {id: this.titleId_});
    const caption = [this.title_];
    if (data.kind !== 'wait') {
      // Not a Tab stop: a dialog's Tab order is its template's.
      this.close_ = El('button', {className: 'window-close', type: 'button', textContent: '×',
                                  'aria-label': T('close'), title: T('close'), tabIndex: -1});
      this.close_.addEventListener('click', () => this.Press('close'));
      caption.push(this.close_);
    }
    this.caption_ = El('div', {className: 'window-caption'}, caption);
    this.body_ = El('div', {className: 'window-body'});
    this.element = El('section', {
      className: `window window-${data.kind}`,
      role: data.kind === 'messagebox' ? 'alertdialog' : 'dialog',
      'aria-modal': data.modal ? 'true' : 'false', 'aria-labelledby': this.titleId_,
    }, [this.caption_, this.body_]);
    this.element.dataset.window = data.id;
    // Focusable, so that a click on its text keeps the keyboard in the window.
    this.element.tabIndex = -1;
    this.element.dataset.kind = data.kind;
    this.caption_.addEventListener('pointerdown', (event) => this.StartMove(event));
    this.element.addEventListener('keydown', (event) => this.OnKey(event));
    this.element.addEventListener('pointerdown', (event) => layer.NotePointer(event), true);
    this.element.addEventListener('contextmenu', (event) => layer.NotePointer(event), true);
    layer.element_.append(this.element);
    this.placedOnce_ = false;
  }

  Remove() {
    this.element.remove();
  }

  Post(control, action, value) {
    const body = value === undefined ? {action} : {action, value};
    return this.layer_.Act(this.id, `controls/${control}`, body);
  }

  Press(button) {
    return this.layer_.Act(this.id, 'button', {button});
  }

  Update(data) {
    this.data_ = data;
    this.title_.textContent = data.title || '';
    switch (data.kind) {
      case 'messagebox': this.DrawMessageBox(data); break;
      case 'wait': this.DrawWait(data); break;
      case 'sheet': case 'wizard': this.DrawSheet(data); break;
      default: this.DrawDialog(data); break;
    }
    if (!this.placedOnce_) this.PlaceFirst();
  }

  // New windows open in the middle, each a little lower and to the right of the last.
  PlaceFirst() {
    this.placedOnce_ = true;
    const width = this.element.offsetWidth;
    const height = this.element.offsetHeight;
    const shift = (this.serial_ % 6) * 24;
    this.left_ = Math.max(0, Math.round((window.innerWidth - width) / 2) + shift - 60);
    this.top_ = Math.max(0, Math.round((window.innerHeight - height) / 3) + shift);
    this.element.style.left = `${this.left_}px`;
    this.element.style.top = `${this.top_}px`;
  }

  StartMove(event) {
    if (event.button !== 0 || event.target.closest('button')) return;
    event.preventDefault();
    const startX = event.clientX - this.left_;
    const startY = event.clientY - this.top_;
    this.caption_.setPointerCapture(event.pointerId);
    const move = (moveEvent) => {
      this.left_ = Math.min(window.innerWidth - 60, Math.max(-this.element.offsetWidth + 80,
                                                             moveEvent.clientX - startX));
      this.top_ = Math.min(window.innerHeight - 30, Math.max(0, moveEvent.clientY - startY));
      this.element.style.left = `${this.left_}px`;
      this.element.style.top = `${this.top_}px`;
    };
    const up = () => {
      this.caption_.removeEventListener('pointermove', move);
      this.caption_.removeEventListener('pointerup', up);
    };
    this.caption_.addEventListener('pointermove', move);
    this.caption_.addEventListener('pointerup', up);
  }

  DrawMessageBox(data) {
    if (!this.text_) {
      this.icon_ = El('span', {className: 'mb-icon', role: 'img'});
      this.text_ = El('p', {className: 'messagebox-text'});
      this.text_.id = `window-text-${this.id}`;
      this.element.setAttribute('aria-describedby', this.text_.id);
      this.buttons_ = El('div', {className: 'window-buttons'});
      this.body_.replaceChildren(El('div', {className: 'messagebox-body'}, [this.icon_, this.text_]),
                                 this.buttons_);
    }
    const icon = data.icon || 'none';
    this.icon_.className = `mb-icon icon-${icon}`;
    this.icon_.setAttribute('aria-label', T(`icon_${icon}`));
    this.text_.textContent = data.text || '';
    this.DrawButtons(data.buttons || []);
  }

  DrawWait(data) {
    if (!this.text_) {
      this.text_ = El('p', {className: 'messagebox-text'});
      this.body_.replaceChildren(El('div', {className: 'wait-body', role: 'status'},
                                    [El('span', {className: 'spinner', 'aria-hidden': 'true'}),
                                     this.text_]));
    }
    this.text_.textContent = data.text || data.title || T('busy');
  }

  // The push buttons of sheets, wizards and message boxes.
  DrawButtons(buttons) {
    const key = JSON.stringify(buttons);
    if (key === this.buttonsKey_) return;
    this.buttonsKey_ = key;
    this.buttons_.replaceChildren(...buttons.filter((b) => b.visible !== false).map((b) => {
      const button = El('button', {type: 'button', disabled: b.enabled === false});
      SetLabel(button, b.text);
      button.dataset.button = b.name || b.id;
      if (b.default) button.classList.add('default');
      button.addEventListener('click', () => this.Press(b.name || b.id));
      return button;
    }));
  }

  // The client area of a dialog, or the page area of a sheet, with its controls.
  EnsureClient(host, key) {
    if (this.pageKey_ === key && this.client_) return;
    this.pageKey_ = key;
    this.controls_.clear();
    this.client_ = El('div', {className: 'window-client'});
    host(this.client_);
  }

  DrawDialog(data) {
    this.EnsureClient((client) => this.body_.replaceChildren(client), 'dialog');
    const units = DialogUnits(data.font);
    this.SizeClient(units, data.size);
    this.DrawControls(data.controls || [], units);
  }

  DrawSheet(data) {
    const pages = data.pages || [];
    const active = Math.max(0, pages.findIndex((page) => page.active));
    if (!this.sheetParts_) {
      this.tabs_ = El('div', {className: 'sheet-tabs', role: 'tablist'});
      this.heading_ = El('div', {className: 'wizard-title'});
      this.page_ = El('div', {className: 'sheet-page', role: 'tabpanel'});
      this.page_.id = `window-page-${this.id}`;
      this.buttons_ = El('div', {className: 'window-buttons'});
      this.sheetParts_ = true;
      const parts = data.kind === 'wizard' ? [this.heading_, this.page_, this.buttons_] :
                                             [this.tabs_, this.page_, this.buttons_];
      this.body_.replaceChildren(...parts);
    }
    if (data.kind === 'wizard') {
      this.heading_.textContent = pages[active]?.title || '';
    } else {
      this.DrawTabs(pages, active);
    }
    this.EnsureClient((client) => this.page_.replaceChildren(client), `page-${active}`);
    const units = DialogUnits(data.font);
    const rect = data.page?.rect;
    this.SizeClient(units, rect ? {width: rect.width, height: rect.height} : data.size);
    this.DrawControls(data.controls || [], units);
    this.DrawButtons(data.buttons || []);
  }

  DrawTabs(pages, active) {
    const key = JSON.stringify(pages);
    if (key === this.tabsKey_) return;
    this.tabsKey_ = key;
    this.tabs_.replaceChildren(...pages.map((page, index) => {
      const tab = El('button', {type: 'button', className: 'sheet-tab', role: 'tab',
                                textContent: page.title, tabIndex: index === active ? 0 : -1,
                                'aria-selected': String(index === active),
                                'aria-controls': this.page_.id});
      tab.addEventListener('click', () => this.layer_.Act(this.id, 'page', {index}));
      tab.addEventListener('keydown', (event) => {
        const step = {ArrowRight: 1, ArrowLeft: -1}[event.key];
        if (!step) return;
        event.preventDefault();
        const next = (index + step + pages.length) % pages.length;
        this.layer_.Act(this.id, 'page', {index: next}).then(() => {
          this.tabs_.children[next]?.focus();
        });
      });
      return tab;
    }));
  }

  SizeClient(units, size) {
    if (!size) return;
    this.client_.style.width = `${units.x(size.width)}px`;
    this.client_.style.height = `${units.y(size.height)}px`;
    this.client_.style.fontFamily = units.family;
    this.client_.style.fontSize = `${units.px}px`;
  }

  // Updates the controls in place (so that focus and typing survive an answer); controls
  // that are new or changed kind are made again.
  DrawControls(controls, units) {
    MarkRadioGroups(controls);
    const labels = ControlLabels(controls);
    const seen = new Map();
    const keep = new Set();
    const order = [];
    for (const data of controls) {
      const n = seen.get(data.id) || 0;
      seen.set(data.id, n + 1);
      const key = `${data.id}#${n}:${data.kind}`;
      keep.add(key);
      let control = this.controls_.get(key);
      const context = {
        post: (id, action, value) => this.Post(id, action, value),
        units, label: labels.get(data) || '', prefix: `w${this.id}`, serial: n,
        radioGroup: (group) => [...this.controls_.values()].filter(
            (c) => c.data_.kind === 'radio' && c.data_.group === group),
        buddyOf: (id) => [...this.controls_.values()].find(
            (c) => c.data_.kind === 'updown' && c.data_.buddy === id),
      };
      if (!control) {
        control = CreateControl(data, context);
        this.controls_.set(key, control);
      }
      control.context_ = context;
      control.Update(data);
      order.push(control.element);
    }
    for (const key of [...this.controls_.keys()]) {
      if (!keep.has(key)) {
        this.controls_.get(key).element.remove();
        this.controls_.delete(key);
      }
    }
    // Template order is Tab order.
    order.forEach((element, index) => {
      if (this.client_.children[index] !== element) {
        this.client_.insertBefore(element, this.client_.children[index] || null);
      }
    });
  }

  // The control the console says has the focus, else the first one that takes it.
  FocusFirst() {
    for (const control of this.controls_.values()) {
      if (control.data_.focused) {
        (control.Focusable?.() || control.element).focus();
        return;
      }
    }
    const candidates = this.element.querySelectorAll(
        'input:not([tabindex="-1"]), select, textarea, button:not(.window-close), [tabindex="0"]');
    for (const element of candidates) {
      if (!element.disabled && element.offsetParent !== null) {
        element.focus();
        return;
      }
    }
    this.element.tabIndex = -1;
    this.element.focus();
  }

  OnKey(event) {
    if (event.key === 'Tab' && !event.altKey && !event.ctrlKey) {
      this.CycleTab(event);
      return;
    }
    if (event.key === 'Escape') {
      event.preventDefault();
      event.stopPropagation();
      this.Key('escape');
      return;
    }
    if (event.key === 'Enter') {
      const target = event.target;
      if (target.tagName === 'BUTTON' || target.closest?.('.ctl-listview')) return;
      if (target.tagName === 'TEXTAREA' && target.dataset.wantReturn === 'true') return;
      event.preventDefault();
      event.stopPropagation();
      this.Key('enter');
      return;
    }
    if ((event.key === 'PageDown' || event.key === 'PageUp') && event.ctrlKey &&
        this.kind === 'sheet') {
      event.preventDefault();
      const pages = this.data_.pages || [];
      const active = pages.findIndex((page) => page.active);
      const next = (active + (event.key === 'PageDown' ? 1 : -1) + pages.length) % pages.length;
      this.layer_.Act(this.id, 'page', {index: next});
      return;
    }
    if (event.altKey && event.key.length === 1) this.Mnemonic(event);
  }

  // Tab goes round within the window, as in a dialog.
  CycleTab(event) {
    const stops = [...this.element.querySelectorAll(
        'input, select, textarea, button, [tabindex="0"]')].filter(
        (e) => e.tabIndex >= 0 && !e.disabled && e.offsetParent !== null &&
               !e.closest('[hidden]'));
    if (!stops.length) return;
    const at = stops.indexOf(document.activeElement);
    if (event.shiftKey && (at === 0 || at < 0)) {
      event.preventDefault();
      stops[stops.length - 1].focus();
    } else if (!event.shiftKey && (at === stops.length - 1 || at < 0)) {
      event.preventDefault();
      stops[0].focus();
    }
  }

  // Enter and Escape go to the console, which presses the default or the cancel button. A
  // message box answers them itself.
  Key(key) {
    if (this.kind === 'messagebox') {
      const buttons = this.data_.buttons || [];
      const byName = (name) => buttons.find((b) => b.name === name);
      // Escape answers Cancel, or the only button a box has, as Windows does.
      const button = key === 'enter' ? buttons.find((b) => b.default) || buttons[0] :
          byName('cancel') || byName('close') || (buttons.length === 1 ? buttons[0] : null);
      if (button) this.Press(button.name || button.id);
      return;
    }
    if (this.kind === 'wait') return;
    this.layer_.Act(this.id, 'key', {key});
  }

  // Alt+letter: a button or check box with that mnemonic is clicked; a static's mnemonic
  // moves the focus to the control after it.
  Mnemonic(event) {
    const key = event.key.toLowerCase();
    const list = [...this.controls_.values()];
    const at = list.findIndex((c) => MnemonicOf(c.data_.text) === key &&
                                     c.data_.visible !== false && c.data_.enabled !== false);
    if (at < 0) {
      const button = [...(this.buttons_?.children || [])].find(
          (b) => b.querySelector('.mnemonic')?.textContent.toLowerCase() === key);
      if (button && !button.disabled) {
        event.preventDefault();
        button.click();
      }
      return;
    }
    event.preventDefault();
    const control = list[at];
    if (control.data_.kind === 'static' || control.data_.kind === 'groupbox') {
      const next = list.slice(at + 1).find((c) => !['static', 'groupbox'].includes(c.data_.kind));
      (next?.Focusable?.() || next?.element)?.focus();
      return;
    }
    (control.Focusable?.() || control.element).focus();
    if (['button', 'defbutton', 'checkbox', 'radio'].includes(control.data_.kind)) {
      control.Post('click');
    }
  }
}
