// ScopeTree: the scope pane — an ARIA tree whose children are read from the console when a
// node is first expanded, with the keyboard of a desktop tree.

import {ConsoleImage, El} from './dom.js';

// Lives as long as the page. `events` are functions the page supplies:
// select(item), expand(item, expand), contextMenu(item, x, y), key(name, item) for the verb
// keys (default, delete, rename, refresh, properties), rename(item, text).
export class ScopeTree {
  constructor(element, api, events) {
    this.element_ = element;
    this.api_ = api;
    this.events_ = events;
    this.nodes_ = new Map();
    this.root_ = 0;
    this.selected_ = 0;
    this.typed_ = '';
    this.typedAt_ = 0;
    element.addEventListener('keydown', (event) => this.OnKey(event));
    element.addEventListener('click', (event) => this.OnClick(event));
    element.addEventListener('dblclick', (event) => this.OnDoubleClick(event));
    element.addEventListener('contextmenu', (event) => this.OnContextMenu(event));
  }

  get root() {
    return this.root_;
  }

  // Shows the tree from `item` (the snap-in's static node), which is read and expanded.
  async SetRoot(item) {
    this.nodes_.clear();
    this.element_.replaceChildren();
    this.root_ = item;
    const data = await this.api_.Get(`/scope/${item}`);
    const node = this.MakeNode(data, 1);
    this.element_.append(node.li);
    this.SetChildren(node, data.children || []);
    this.SetExpanded(node, true);
    this.SetFocusNode(node);
  }

  Has(item) {
    return this.nodes_.has(item);
  }

  Name(item) {
    return this.nodes_.get(item)?.name ?? '';
  }

  // The display names from the top down to `item`, as the address of a node.
  Path(item) {
    const names = [];
    for (let node = this.nodes_.get(item); node; node = this.nodes_.get(node.parent)) {
      names.unshift(node.name);
      if (node.item === this.root_) break;
    }
    return names;
  }

  // Reads `item` again (after the console reported a change of its name or children).
  async Reload(item) {
    const node = this.nodes_.get(item);
    if (!node) return;
    const data = await this.api_.Get(`/scope/${item}`);
    this.Update(node, data);
    if (node.loaded) this.SetChildren(node, data.children || []);
  }

  // Opens or closes `item`; the first opening reads its children.
  async Expand(item, expand) {
    const node = this.nodes_.get(item);
    if (!node) return;
    if (expand && !node.loaded) {
      const data = await this.api_.Get(`/scope/${item}`);
      this.Update(node, data);
      this.SetChildren(node, data.children || []);
    }
    this.SetExpanded(node, expand);
    this.events_.expand(item, expand);
  }

  // Makes every ancestor of `item` open (they must be known), shows it as the selection.
  ShowSelected(item) {
    const node = this.nodes_.get(item);
    if (!node) return;
    for (let up = this.nodes_.get(node.parent); up; up = this.nodes_.get(up.parent)) {
      this.SetExpanded(up, true);
    }
    if (this.selected_ && this.nodes_.has(this.selected_)) {
      this.nodes_.get(this.selected_).li.setAttribute('aria-selected', 'false');
    }
    this.selected_ = item;
    node.li.setAttribute('aria-selected', 'true');
    this.SetFocusNode(node);
    node.row.scrollIntoView({block: 'nearest'});
  }

  Focus() {
    const node = this.nodes_.get(this.focused_) || this.nodes_.get(this.root_);
    node?.li.focus();
  }

  HasFocus() {
    return this.element_.contains(document.activeElement);
  }

  // Edits the name of `item` in place; Enter hands the text to events.rename.
  StartRename(item) {
    const node = this.nodes_.get(item);
    if (!node) return;
    const input = El('input', {className: 'inline-edit', value: node.name, type: 'text'});
    input.setAttribute('aria-label', node.name);
    node.label.replaceWith(input);
    input.select();
    input.focus();
    let done = false;
    const finish = (accept) => {
      if (done) return;
      done = true;
      input.replaceWith(node.label);
      node.li.focus();
      if (accept && input.value !== node.name) this.events_.rename(item, input.value);
    };
    input.addEventListener('keydown', (event) => {
      event.stopPropagation();
      if (event.key === 'Enter') finish(true);
      if (event.key === 'Escape') finish(false);
    });
    input.addEventListener('blur', () => finish(true));
  }

  MakeNode(data, level) {
    const twisty = El('span', {className: 'tree-twisty', 'aria-hidden': 'true'});
    const image = ConsoleImage(data.image);
    const label = El('span', {className: 'tree-label', textContent: data.name});
    const row = El('div', {className: 'tree-row'}, [twisty, image, label]);
    const group = El('ul', {role: 'group'});
    const li = El('li', {role: 'treeitem', 'aria-level': level, 'aria-selected': 'false',
                         tabIndex: -1}, [row]);
    li.dataset.item = data.item;
    row.style.paddingLeft = `${(level - 1) * 16 + 4}px`;
    const node = {item: data.item, parent: data.parent ?? 0, name: data.name, image: data.image,
                  openImage: data.openImage ?? data.image, hasChildren: !!data.hasChildren,
                  loaded: false, expanded: false, level, li, row, group, twisty, image: image,
                  imageIndex: data.image, label};
    this.nodes_.set(data.item, node);
    this.UpdateMarker(node);
    return node;
  }

  Update(node, data) {
    node.name = data.name;
    node.label.textContent = data.name;
    node.li.setAttribute('aria-label', data.name);
    node.hasChildren = !!data.hasChildren;
    if (data.image !== node.imageIndex) {
      node.imageIndex = data.image;
      node.openImage = data.openImage ?? data.image;
      const image = ConsoleImage(data.image);
      node.image.replaceWith(image);
      node.image = image;
    }
    this.UpdateMarker(node);
  }

  // Replaces the children of `node` by `children`, keeping the nodes that stay (with their
  // own loaded children and open state).
  SetChildren(node, children) {
    node.loaded = true;
    const keep = new Set(children.map((child) => child.item));
    for (const li of [...node.group.children]) {
      const item = Number(li.dataset.item);
      if (!keep.has(item)) this.Forget(item);
    }
    const items = [];
    for (const child of children) {
      let childNode = this.nodes_.get(child.item);
      if (childNode) {
        this.Update(childNode, child);
      } else {
        childNode = this.MakeNode({...child, parent: node.item}, node.level + 1);
      }
      items.push(childNode.li);
    }
    node.group.replaceChildren(...items);
    node.hasChildren = children.length > 0;
    this.UpdateMarker(node);
    if (!node.group.isConnected && node.expanded) node.li.append(node.group);
  }

  Forget(item) {
    const node = this.nodes_.get(item);
    if (!node) return;
    for (const li of [...node.group.children]) this.Forget(Number(li.dataset.item));
    this.nodes_.delete(item);
    node.li.remove();
    if (this.focused_ === item) this.focused_ = node.parent;
  }

  UpdateMarker(node) {
    node.twisty.classList.toggle('has-children', node.hasChildren);
    if (node.hasChildren) {
      node.li.setAttribute('aria-expanded', String(node.expanded));
    } else {
      node.li.removeAttribute('aria-expanded');
    }
  }

  SetExpanded(node, expanded) {
    node.expanded = expanded && node.hasChildren;
    if (node.expanded) {
      if (!node.group.isConnected) node.li.append(node.group);
    } else {
      node.group.remove();
    }
    this.UpdateMarker(node);
  }

  SetFocusNode(node) {
    const old = this.nodes_.get(this.focused_);
    if (old) old.li.tabIndex = -1;
    this.focused_ = node.item;
    node.li.tabIndex = 0;
  }

  // The nodes a person sees, top to bottom.
  Visible() {
    const list = [];
    const walk = (node) => {
      list.push(node);
      if (!node.expanded) return;
      for (const li of node.group.children) walk(this.nodes_.get(Number(li.dataset.item)));
    };
    const root = this.nodes_.get(this.root_);
    if (root) walk(root);
    return list;
  }

  NodeOf(target) {
    const li = target.closest?.('li[role="treeitem"]');
    return li ? this.nodes_.get(Number(li.dataset.item)) : null;
  }

  MoveTo(node) {
    if (!node) return;
    this.SetFocusNode(node);
    node.li.focus();
    node.row.scrollIntoView({block: 'nearest'});
    if (node.item !== this.selected_) this.events_.select(node.item);
  }

  OnClick(event) {
    const node = this.NodeOf(event.target);
    if (!node || event.target.tagName === 'INPUT') return;
    if (event.target.closest('.tree-twisty')) {
      this.Expand(node.item, !node.expanded);
      return;
    }
    this.MoveTo(node);
  }

  OnDoubleClick(event) {
    const node = this.NodeOf(event.target);
    if (!node || event.target.closest('.tree-twisty')) return;
    if (node.hasChildren) this.Expand(node.item, !node.expanded);
    this.events_.key('default', node.item);
  }

  OnContextMenu(event) {
    const node = this.NodeOf(event.target);
    if (!node) return;
    event.preventDefault();
    this.SetFocusNode(node);
    node.li.focus();
    this.events_.contextMenu(node.item, event.clientX, event.clientY);
  }

  OnKey(event) {
    if (event.target.tagName === 'INPUT') return;
    const node = this.nodes_.get(this.focused_);
    if (!node) return;
    const visible = this.Visible();
    const at = visible.indexOf(node);
    let handled = true;
    switch (event.key) {
      case 'ArrowDown': this.MoveTo(visible[at + 1]); break;
      case 'ArrowUp': this.MoveTo(visible[at - 1]); break;
      case 'Home': this.MoveTo(visible[0]); break;
      case 'End': this.MoveTo(visible[visible.length - 1]); break;
      case 'ArrowRight':
        if (node.hasChildren && !node.expanded) {
          this.Expand(node.item, true);
        } else if (node.expanded && node.group.firstElementChild) {
          this.MoveTo(this.nodes_.get(Number(node.group.firstElementChild.dataset.item)));
        }
        break;
      case 'ArrowLeft':
        if (node.expanded) {
          this.Expand(node.item, false);
        } else {
          this.MoveTo(this.nodes_.get(node.parent));
        }
        break;
      case 'Enter':
        if (event.altKey) {
          this.events_.key('properties', node.item);
        } else {
          this.events_.key('default', node.item);
        }
        break;
      default:
        handled = this.TypeAhead(event, visible, at);
    }
    if (handled) {
      event.preventDefault();
      event.stopPropagation();
    }
  }

  // Letters typed in a row find the next node whose name starts with them.
  TypeAhead(event, visible, at) {
    if (event.key.length !== 1 || event.ctrlKey || event.altKey || event.metaKey) return false;
    if (event.key === ' ' && !this.typed_) return false;
    const now = event.timeStamp;
    this.typed_ = now - this.typedAt_ > 1000 ? event.key : this.typed_ + event.key;
    this.typedAt_ = now;
    const wanted = this.typed_.toLowerCase();
    const start = this.typed_.length === 1 ? at + 1 : at;
    for (let n = 0; n < visible.length; ++n) {
      const candidate = visible[(start + n) % visible.length];
      if (candidate.name.toLowerCase().startsWith(wanted)) {
        this.MoveTo(candidate);
        break;
      }
    }
    return true;
  }
}
