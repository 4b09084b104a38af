// ResultPane: what the right pane shows for the selected scope item — the list, the message
// view with its icon, title and body, or a web page — with the description bar and the filter.

import {El} from './dom.js';
import {T} from './i18n.js';
import {ResultGrid} from './result_grid.js';

// Lives as long as the page; Show is called with every new state of the view.
export class ResultPane {
  constructor(api, events) {
    this.body_ = document.getElementById('result-body');
    this.descBar_ = document.getElementById('desc-bar');
    this.filterRow_ = document.getElementById('filter-row');
    this.filterBox_ = document.getElementById('filter-box');
    this.filterCount_ = document.getElementById('filter-count');
    this.grid_ = new ResultGrid(api, events);
    this.kind_ = '';
    this.filterBox_.addEventListener('input', () => this.Filter());
    this.filterBox_.addEventListener('keydown', (event) => {
      if (event.key === 'ArrowDown' || event.key === 'Enter') {
        event.preventDefault();
        this.grid_.Focus();
      }
      if (event.key === 'Escape') {
        this.filterBox_.value = '';
        this.Filter();
      }
    });
  }

  get grid() {
    return this.grid_;
  }

  get kind() {
    return this.kind_;
  }

  // Shows `state` (GET /views/{v}); `changed`: the rows may have changed since the last call.
  Show(state, changed, label) {
    const pane = state.pane || {kind: 'none'};
    const kind = pane.kind;
    this.descBar_.textContent = pane.descBar || '';
    this.descBar_.hidden = !pane.descBar;
    const isList = kind === 'list' || kind === 'virtual';
    this.filterRow_.hidden = !isList;
    if (kind !== this.kind_ || (kind === 'web' && pane.url !== this.url_) ||
        (kind === 'message' && JSON.stringify(pane.message) !== this.message_)) {
      this.kind_ = kind;
      if (changed !== 'same-item') this.ClearFilter();
      if (isList) {
        this.body_.replaceChildren(this.grid_.element);
      } else if (kind === 'message') {
        this.message_ = JSON.stringify(pane.message);
        this.body_.replaceChildren(this.MessageView(pane.message || {}));
      } else if (kind === 'web') {
        this.url_ = pane.url;
        this.body_.replaceChildren(...this.WebView(pane.url || ''));
      } else {
        this.body_.replaceChildren();
      }
    }
    if (isList) {
      this.grid_.SetPane(state.view, {...pane, item: state.item}, state.selection, state.focused,
                         !!changed, label);
      if (this.filterBox_.value) this.Filter();
    }
  }

  ClearFilter() {
    this.filterBox_.value = '';
    this.filterCount_.textContent = '';
    this.grid_.filter_ = '';
    this.grid_.filtered_ = null;
  }

  async Filter() {
    const text = this.filterBox_.value;
    const result = await this.grid_.ApplyFilter(text);
    if (!result || text !== this.filterBox_.value) return;
    if (!text) {
      this.filterCount_.textContent = '';
    } else if (result.partial) {
      this.filterCount_.textContent = T('filterJump', result.total);
    } else {
      this.filterCount_.textContent = T('filterCount', result.shown, result.total);
    }
  }

  MessageView(message) {
    const icon = message.icon || 'none';
    return El('div', {className: 'message-view', role: 'region', 'aria-label': message.title || ''}, [
      El('span', {className: `mb-icon icon-${icon}`, role: 'img', 'aria-label': T(`icon_${icon}`)}),
      El('div', {}, [El('h2', {textContent: message.title || ''}),
                     El('p', {textContent: message.body || ''})]),
    ]);
  }

  // Only the console's own pages can be framed here (its security policy allows no other
  // frames); a page of another site is offered as a link that opens in a tab of its own.
  WebView(url) {
    let parsed = null;
    try {
      parsed = new URL(url, window.location.href);
    } catch {
      parsed = null;
    }
    const usable = parsed && ['http:', 'https:'].includes(parsed.protocol);
    const link = usable ? El('a', {href: parsed.href, target: '_blank', rel: 'noopener noreferrer',
                                   textContent: parsed.href}) :
                          El('span', {textContent: url});
    if (usable && parsed.origin === window.location.origin) {
      const frame = El('iframe', {className: 'web-view', title: T('webPage'), src: parsed.href});
      frame.setAttribute('sandbox', 'allow-scripts allow-forms allow-popups');
      frame.setAttribute('referrerpolicy', 'no-referrer');
      return [El('div', {className: 'web-address'}, [T('webPage'), ' ', link]), frame];
    }
    return [El('div', {className: 'web-external', role: 'region', 'aria-label': T('webPage')},
               [El('p', {textContent: T('webExternal')}), El('p', {}, [link])])];
  }
}
