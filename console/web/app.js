// The page's entry: connects to the console, claims a view for this tab, wires the tree,
// the result pane, menus, verbs, the toolbar and the windows, and follows the event stream.

import {Api, ApiError} from './api.js';
import {El, PlainText} from './dom.js';
import {ApplyStrings, LoadStrings, T} from './i18n.js';
import {CloseMenu, ShowMenu} from './menu.js';
import {ResultPane} from './result_pane.js';
import {ScopeTree} from './tree.js';
import {WindowLayer} from './windows.js';

const $ = (id) => document.getElementById(id);

class ConsolePage {
  constructor() {
    this.api_ = new Api();
    this.view_ = 0;
    this.item_ = 0;
    this.revision_ = -1;
    this.refreshTicket_ = 0;
    this.rowsDirty_ = false;
    this.state_ = null;
    this.createdView_ = false;
    this.statusOverride_ = '';
    this.tree_ = new ScopeTree($('scope-tree'), this.api_, {
      select: (item) => this.Select(item, true),
      expand: (item, expand) => this.Quietly(() => this.api_.Post(
          `/views/${this.view_}/expand`, {item, expand})),
      contextMenu: (item, x, y) => this.OpenMenu('scope', item, x, y),
      key: (name, item) => this.ScopeKey(name, item),
      rename: (item, text) => this.Verb('scope', 'rename', text),
    });
    this.pane_ = new ResultPane(this.api_, {
      select: (rows) => this.Action(`/views/${this.view_}/selection`, {rows}),
      find: (text, start) => this.Find(text, start),
      sort: (column, descending) => this.Action(`/views/${this.view_}/sort`, {column, descending}),
      open: () => this.Action(`/views/${this.view_}/default`, {target: 'result'}),
      contextMenu: (x, y) => this.OpenMenu('result', 0, x, y),
      key: (name) => this.Verb('result', name),
      rename: (index, text) => this.Verb('result', 'rename', text),
      error: (error) => this.ShowError(error),
    });
    this.windows_ = new WindowLayer($('window-layer'), $('frame'), this.api_, {
      error: (error) => this.ShowError(error),
      status: (text) => this.SetMenuStatus(text),
    });
    this.api_.onWindows = (windows) => this.windows_.Update(windows);
  }

  async Start() {
    this.SetupTheme();
    await LoadStrings(navigator.language?.startsWith('de') ? 'de' : 'en');
    ApplyStrings();
    let session;
    try {
      session = await this.api_.Connect();
    } catch (error) {
      $('frame').setAttribute('aria-busy', 'false');
      this.ShowError(error, error.status === 401 ? T('needToken') : '');
      return;
    }
    await LoadStrings(session.language);
    ApplyStrings();
    this.SetupFrame();
    try {
      const console = await this.api_.Get('/console');
      this.ShowConsole(console);
      this.view_ = await this.ClaimView(console);
      this.windows_.Update((await this.api_.Get('/windows')).windows || []);
      await this.tree_.SetRoot(console.root);
      const state = await this.api_.Get(`/views/${this.view_}`);
      for (const item of state.expanded || []) {
        if (item !== console.root && this.tree_.Has(item)) await this.tree_.Expand(item, true);
      }
      const path = this.HashPath();
      if (path.length) {
        await this.Navigate(path);
      } else if (state.item) {
        await this.Reveal(state.item);
        this.tree_.ShowSelected(state.item);
        this.item_ = state.item;
        history.replaceState(null, '', this.Hash(state.item));
        await this.RefreshView(true);
      } else {
        await this.Select(console.root, false);
      }
      this.Listen();
    } catch (error) {
      this.ShowError(error);
    }
    $('frame').setAttribute('aria-busy', 'false');
  }

  // Each tab shows its own view of the console (as a second console window would): the
  // first free one, else a new one. A Web Lock held for the tab's life marks a view as taken.
  async ClaimView(console) {
    const ids = (console.views || []).map((view) => view.id);
    const stored = Number(sessionStorage.getItem('pw.view'));
    const order = ids.includes(stored) ? [stored, ...ids.filter((id) => id !== stored)] : ids;
    if (!navigator.locks) return order[0];
    for (const id of order) {
      if (await this.TryLock(id)) return this.Claimed(id, false);
    }
    const answer = await this.api_.Post('/views', {});
    await this.TryLock(answer.view);
    return this.Claimed(answer.view, true);
  }

  Claimed(id, created) {
    sessionStorage.setItem('pw.view', String(id));
    this.createdView_ = created;
    document.body.dataset.view = String(id);
    return id;
  }

  TryLock(id) {
    return new Promise((resolve) => {
      navigator.locks.request(`pwconsole-view-${id}`, {ifAvailable: true}, (lock) => {
        resolve(!!lock);
        return lock ? new Promise(() => {}) : undefined;
      });
    });
  }

  ShowConsole(console) {
    const title = console.title || console.snapin || T('console');
    $('console-title').textContent = title;
    document.title = title;
    this.document_ = console.document;
  }

  // --- the tree, selection and addresses ---

  // Makes `item` known to the tree by opening its ancestors.
  async Reveal(item) {
    if (this.tree_.Has(item)) return;
    const data = await this.api_.Get(`/scope/${item}`);
    if (data.parent) {
      await this.Reveal(data.parent);
      await this.tree_.Expand(data.parent, true);
    }
  }

  async Select(item, push) {
    try {
      await this.api_.Post(`/views/${this.view_}/select`, {item});
      await this.Reveal(item);
      this.tree_.ShowSelected(item);
      this.item_ = item;
      const hash = this.Hash(item);
      if (push && hash !== location.hash) {
        history.pushState(null, '', hash);
      } else {
        history.replaceState(null, '', hash);
      }
      await this.RefreshView(true);
    } catch (error) {
      this.ShowError(error);
    }
  }

  Hash(item) {
    return `#/${this.tree_.Path(item).map(encodeURIComponent).join('/')}`;
  }

  HashPath() {
    const hash = location.hash.replace(/^#\/?/, '');
    if (!hash) return [];
    try {
      return hash.split('/').map(decodeURIComponent);
    } catch {
      return [];
    }
  }

  // Goes to the node an address names (Back, Forward, a bookmark).
  async Navigate(path) {
    try {
      const answer = await this.api_.Post('/scope/lookup', {path});
      if (answer.item !== this.item_) await this.Select(answer.item, false);
    } catch (error) {
      this.ShowError(error, T('addressNotFound', path.join(' › ')));
    }
  }

  // --- the view ---

  // Reads the view again; `changed` when its rows may have changed.
  // Reads overlap (the event stream and the person's own actions both ask), and answers may
  // come back out of order: only the newest read is shown, and it carries any older read's
  // `changed`.
  async RefreshView(changed) {
    const ticket = ++this.refreshTicket_;
    this.rowsDirty_ ||= changed;
    const state = await this.api_.Get(`/views/${this.view_}`);
    if (ticket !== this.refreshTicket_) return;
    state.view = this.view_;
    const rowsChanged = this.rowsDirty_ || state.revision !== this.revision_;
    this.rowsDirty_ = false;
    this.revision_ = state.revision;
    if (state.item && state.item !== this.item_) {
      await this.Reveal(state.item);
      if (ticket !== this.refreshTicket_) {
        this.rowsDirty_ ||= rowsChanged;
        return;
      }
      this.tree_.ShowSelected(state.item);
      this.item_ = state.item;
      history.pushState(null, '', this.Hash(state.item));
    }
    this.state_ = state;
    this.pane_.Show(state, rowsChanged, this.tree_.Name(state.item));
    this.ShowVerbs(state);
    this.ShowToolbar(state.toolbar || []);
    this.ShowStatus(state.pane?.status || '');
  }

  ShowVerbs(state) {
    for (const button of document.querySelectorAll('#toolbar [data-verb]')) {
      const verb = state.verbs?.[button.dataset.verb];
      button.hidden = !!verb?.hidden;
      button.disabled = !verb?.enabled;
    }
    $('nav-up').disabled = !this.item_ || this.item_ === this.tree_.root;
  }

  ShowToolbar(buttons) {
    const host = $('snapin-tools');
    const key = JSON.stringify(buttons);
    if (key === this.toolbarKey_) return;
    this.toolbarKey_ = key;
    host.replaceChildren(...buttons.filter((b) => !b.hidden).map((b) => {
      if (b.separator) return El('span', {className: 'tool-separator', role: 'separator'});
      // The visible text names the button; the tooltip describes it. A button without
      // text is named by its tooltip.
      const tooltip = PlainText(b.tooltip || '');
      const text = PlainText(b.text || '');
      const button = El('button', {type: 'button', className: 'tool', title: tooltip || null,
                                   disabled: !b.enabled,
                                   'aria-label': text || tooltip || T('toolbarButton', b.command),
                                   'aria-pressed': b.checked ? 'true' : null},
                        [this.ToolbarImage(b, text)]);
      button.dataset.command = b.command;
      button.addEventListener('click', () => this.Action(`/views/${this.view_}/toolbar`,
                                                         {command: b.command, toolbar: b.toolbar}));
      return button;
    }));
  }

  // A button shows the snap-in's image, as the console's toolbars do; its text (or a generic
  // glyph) stands in when the image cannot be had.
  ToolbarImage(button, text) {
    const fallback = () => text ? El('span', {className: 'tool-label', textContent: text}) :
                                  El('span', {className: 'glyph glyph-generic', 'aria-hidden': 'true'});
    if (!(button.image >= 0)) return fallback();
    const image = El('img', {alt: '', draggable: false,
                             src: `/api/v1/views/${this.view_}/toolbars/${button.toolbar}` +
                                  `/images/${button.image}.png`});
    image.addEventListener('error', () => image.replaceWith(fallback()));
    return image;
  }

  // "left|middle|right"; a middle part "%NN" is a progress bar.
  ShowStatus(text) {
    this.status_ = text;
    if (this.statusOverride_) return;
    const [left, middle, right] = String(text).split('|');
    const parts = [left || ''];
    const progress = /^%(\d{1,3})$/.exec(middle || '');
    if (progress) {
      const bar = El('span', {className: 'status-progress', role: 'progressbar',
                              'aria-valuemin': 0, 'aria-valuemax': 100,
                              'aria-valuenow': progress[1]}, [El('span')]);
      bar.firstChild.style.width = `${Math.min(100, Number(progress[1]))}%`;
      parts.push(bar);
    } else if (middle) {
      parts.push(`  ${middle}`);
    }
    if (right) parts.push(`  ${right}`);
    $('status-text').replaceChildren(...parts);
  }

  SetMenuStatus(text) {
    this.statusOverride_ = text;
    if (text) {
      $('status-text').textContent = text;
    } else {
      this.ShowStatus(this.status_ || '');
    }
  }

  // --- actions ---

  // Runs a POST of the view and shows what it changed.
  async Action(path, body) {
    try {
      const answer = await this.api_.Post(path, body);
      await this.RefreshView(false);
      return answer;
    } catch (error) {
      this.ShowError(error);
      await this.RefreshView(false).catch(() => {});
      return null;
    }
  }

  async Quietly(call) {
    try {
      await call();
    } catch (error) {
      this.ShowError(error);
    }
  }

  async Find(text, start) {
    const answer = await this.Action(`/views/${this.view_}/find`,
                                     {text, start, partial: true, wrap: true});
    return answer ? answer.index : -1;
  }

  // The verb keys of the tree act on the focused node, which the person selected with it.
  ScopeKey(name, item) {
    if (name === 'default') {
      this.Action(`/views/${this.view_}/default`, {target: 'scope'});
      return;
    }
    if (item !== this.item_) return;
    this.Verb('scope', name);
  }

  Verb(target, verb, text) {
    const verbs = this.state_?.verbs || {};
    if (verb === 'rename' && text === undefined) {
      if (!verbs.rename?.enabled) return;
      if (target === 'scope') {
        this.tree_.StartRename(this.item_);
      } else {
        this.pane_.grid.StartRename();
      }
      return;
    }
    const body = {target, verb};
    if (text !== undefined) body.text = text;
    this.Action(`/views/${this.view_}/verb`, body);
  }

  // Where verb keys and the toolbar's verb buttons act: the rows when the list has the
  // focus and a selection, else the scope item.
  Target() {
    return this.pane_.grid.HasFocus() && this.pane_.grid.SelectedRows().length ? 'result' :
                                                                               'scope';
  }

  async OpenMenu(target, item, x, y) {
    try {
      const query = item ? `&item=${item}` : '';
      const answer = await this.api_.Get(`/views/${this.view_}/menu?target=${target}${query}`);
      const chosen = await ShowMenu(answer.items || [], x, y, (text) => this.SetMenuStatus(text),
                                    T('contextMenu'));
      if (!chosen) return;
      const body = {target, command: chosen.command};
      if (item) body.item = item;
      await this.Action(`/views/${this.view_}/menu`, body);
    } catch (error) {
      this.ShowError(error);
    }
  }

  // The menu key and Shift+F10 open the menu of what has the focus, beside it.
  MenuFromKeyboard() {
    const grid = this.pane_.grid;
    if (grid.HasFocus()) {
      const row = document.querySelector('.grid-row.focused') || grid.element;
      const rect = row.getBoundingClientRect();
      this.OpenMenu('result', 0, rect.left + 24, rect.bottom);
      return;
    }
    const focused = document.activeElement?.closest?.('li[role="treeitem"]');
    const item = focused ? Number(focused.dataset.item) : this.item_;
    const rect = (focused?.querySelector('.tree-row') || $('scope-tree')).getBoundingClientRect();
    this.OpenMenu('scope', item === this.item_ ? 0 : item, rect.left + 24, rect.bottom);
  }

  async SaveDocument() {
    let path = this.document_;
    if (!path) {
      path = window.prompt(T('savePrompt'), 'console.msc');
      if (!path) return;
    }
    try {
      const answer = await this.api_.Post('/document/save', {path});
      this.document_ = answer.document || path;
      this.SetMenuStatus('');
      this.ShowStatus(T('saved', this.document_));
    } catch (error) {
      this.ShowError(error);
    }
  }

  // --- events ---

  Listen() {
    const source = this.api_.Listen({
      hello: () => this.Resync(),
      tree: (data) => {
        for (const item of data.items || []) this.tree_.Reload(item).catch(() => {});
      },
      view: (data) => {
        if (data.view === this.view_) this.RefreshView(true).catch((e) => this.ShowError(e));
      },
      console: () => this.Quietly(async () => {
        const console = await this.api_.Get('/console');
        this.ShowConsole(console);
        if (!(console.views || []).some((view) => view.id === this.view_)) location.reload();
      }),
      windows: () => this.Quietly(async () => {
        this.windows_.Update((await this.api_.Get('/windows')).windows || []);
      }),
      busy: (data) => this.SetBusy(!!data.busy),
      open: (data) => {
        if (/^https?:/i.test(String(data.url))) window.open(data.url, '_blank', 'noopener');
      },
    }, (connected) => {
      const element = $('connection');
      element.textContent = connected ? '' : T('disconnected');
      element.classList.toggle('lost', !connected);
    });
    addEventListener('pagehide', () => source.close());
  }

  // After the stream (re)connects: everything may have changed while it was away.
  Resync() {
    this.Quietly(async () => {
      this.windows_.Update((await this.api_.Get('/windows')).windows || []);
      await this.RefreshView(true);
    });
  }

  SetBusy(busy) {
    document.body.classList.toggle('busy', busy);
    $('busy').hidden = !busy;
  }

  // --- the frame ---

  SetupFrame() {
    $('nav-back').addEventListener('click', () => history.back());
    $('nav-forward').addEventListener('click', () => history.forward());
    $('nav-up').addEventListener('click', () => {
      const parent = this.tree_.nodes_.get(this.item_)?.parent;
      if (parent) this.Select(parent, true);
    });
    for (const button of document.querySelectorAll('#toolbar [data-verb]')) {
      button.addEventListener('click', () => this.Verb(this.Target(), button.dataset.verb));
    }
    addEventListener('popstate', () => {
      const path = this.HashPath();
      if (path.length) this.Navigate(path);
    });
    addEventListener('keydown', (event) => this.OnKey(event));
    $('error-close').addEventListener('click', () => {
      $('error-bar').hidden = true;
    });
    $('error-copy').addEventListener('click', () => this.CopyError());
    $('save-document').addEventListener('click', () => this.SaveDocument());
    addEventListener('pagehide', () => {
      if (this.createdView_ && this.view_) this.api_.CloseViewOnExit(this.view_);
    });
    this.SetupSplitter();
  }

  OnKey(event) {
    if (event.defaultPrevented || $('frame').inert) return;
    const inField = ['INPUT', 'TEXTAREA', 'SELECT'].includes(event.target.tagName);
    const verbKeys = {F5: 'refresh', Delete: 'delete', F2: 'rename'};
    if (event.key === 'ContextMenu' || (event.key === 'F10' && event.shiftKey)) {
      event.preventDefault();
      CloseMenu();
      this.MenuFromKeyboard();
    } else if (event.key === 'Enter' && event.altKey) {
      event.preventDefault();
      this.Verb(this.Target(), 'properties');
    } else if (verbKeys[event.key] && !inField && !event.ctrlKey && !event.altKey) {
      event.preventDefault();
      const verb = verbKeys[event.key];
      const state = this.state_?.verbs?.[verb];
      if (state && !state.enabled) return;
      this.Verb(this.Target(), verb);
    }
  }

  SetupSplitter() {
    const splitter = $('splitter');
    const pane = document.querySelector('.scope-pane');
    const set = (percent) => {
      const value = Math.min(80, Math.max(10, percent));
      pane.style.width = `${value}%`;
      splitter.setAttribute('aria-valuenow', String(Math.round(value)));
    };
    splitter.addEventListener('pointerdown', (event) => {
      splitter.setPointerCapture(event.pointerId);
      const move = (moveEvent) => set((moveEvent.clientX / window.innerWidth) * 100);
      const up = () => {
        splitter.removeEventListener('pointermove', move);
        splitter.removeEventListener('pointerup', up);
      };
      splitter.addEventListener('pointermove', move);
      splitter.addEventListener('pointerup', up);
    });
    splitter.addEventListener('keydown', (event) => {
      const step = {ArrowLeft: -2, ArrowRight: 2}[event.key];
      if (!step) return;
      event.preventDefault();
      set(Number(splitter.getAttribute('aria-valuenow')) + step);
    });
  }

  SetupTheme() {
    const select = $('theme-select');
    const apply = (theme) => {
      document.documentElement.dataset.theme = theme;
      select.value = theme;
    };
    let saved = 'system';
    try {
      saved = localStorage.getItem('pw.theme') || 'system';
    } catch {
      saved = 'system';
    }
    apply(['light', 'dark', 'system'].includes(saved) ? saved : 'system');
    select.addEventListener('change', () => {
      apply(select.value);
      try {
        localStorage.setItem('pw.theme', select.value);
      } catch {
        // Without storage the choice lasts until the page reloads.
      }
    });
  }

  // --- errors ---

  ShowError(error, hint) {
    const api = error instanceof ApiError;
    const message = hint || (api ? error.message : String(error?.message || error));
    $('error-message').textContent = message;
    $('error-details').textContent = api ? error.Details() : String(error?.stack || error);
    $('error-bar').hidden = false;
  }

  async CopyError() {
    const text = `${$('error-message').textContent}\n${$('error-details').textContent}`;
    try {
      await navigator.clipboard.writeText(text);
      this.ShowStatus(T('copied'));
    } catch {
      const range = document.createRange();
      range.selectNodeContents($('error-bar'));
      getSelection().removeAllRanges();
      getSelection().addRange(range);
    }
  }
}

// Kept for the tests and for a person at the browser's console.
window.pwconsole = new ConsolePage();
window.pwconsole.Start();
