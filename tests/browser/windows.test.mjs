// How the page draws and drives the console's windows — a dialog with every control kind, a
// message box, a wizard and a sheet with two pages — from the window descriptions the
// console sends. The page runs against a real console; its window reads and window actions
// are answered here, so that every control kind is covered and each action can be checked.

import assert from 'node:assert/strict';
import {after, before, test} from 'node:test';

import {LaunchBrowser, StartConsole} from './console_process.mjs';
import {AxeViolations, Eventually, OpenPage, Screenshot} from './page_helpers.mjs';

const WS_CHILD_VISIBLE = 0x50000000;
const WS_TABSTOP = 0x00010000;
const WS_GROUP = 0x00020000;

function Control(id, kind, x, y, width, height, extra = {}) {
  return {id, kind, text: '', rect: {x, y, width, height}, style: WS_CHILD_VISIBLE,
          enabled: true, visible: true, focused: false, ...extra};
}

// A modal dialog as the console describes one: every control kind, in template order.
const kDialog = {
  id: 41, kind: 'dialog', title: 'New User', modal: true, enabled: true, owner: 0,
  size: {width: 240, height: 170}, font: {name: 'MS Shell Dlg', size: 8}, defaultButton: 1,
  controls: [
    Control(-1, 'static', 7, 9, 40, 8, {text: '&Name:'}),
    Control(1001, 'edit', 50, 7, 120, 14, {style: WS_CHILD_VISIBLE | WS_TABSTOP, text: 'Ann',
                                           focused: true}),
    Control(-1, 'groupbox', 7, 26, 160, 36, {text: 'Kind'}),
    Control(1002, 'radio', 14, 36, 60, 10, {text: '&Person', checked: 1,
                                            style: WS_CHILD_VISIBLE | WS_GROUP | WS_TABSTOP}),
    Control(1003, 'radio', 80, 36, 60, 10, {text: 'G&roup', checked: 0}),
    Control(1004, 'checkbox', 7, 66, 80, 10, {text: '&Active', checked: 1,
                                              style: WS_CHILD_VISIBLE | WS_GROUP | WS_TABSTOP}),
    Control(-1, 'static', 7, 82, 40, 8, {text: '&Service:'}),
    Control(1005, 'combo', 50, 80, 80, 60, {style: WS_CHILD_VISIBLE | WS_TABSTOP | 3,
                                            items: ['Fax', 'SMS'], selected: 1}),
    Control(-1, 'static', 140, 82, 30, 8, {text: 'Line:'}),
    Control(1006, 'comboex', 170, 80, 60, 60, {style: WS_CHILD_VISIBLE | WS_TABSTOP | 3,
                                               items: ['One', 'Two'], images: [1, 2],
                                               selected: 0}),
    Control(-1, 'static', 7, 98, 60, 8, {text: 'Numbers:'}),
    Control(1007, 'listview', 7, 108, 160, 36, {
      style: WS_CHILD_VISIBLE | WS_TABSTOP, columns: [{title: 'Name', width: 80},
                                                      {title: 'Number', width: 60}],
      count: 2, selectedRows: [0], rows: [{texts: ['Ann', '100'], image: -1, selected: true},
                                          {texts: ['Bob', '200'], image: -1, selected: false}]}),
    Control(-1, 'static', 175, 110, 30, 8, {text: '&Retries:'}),
    Control(1008, 'edit', 175, 120, 30, 14, {style: WS_CHILD_VISIBLE | WS_TABSTOP | 0x2000,
                                             text: '3'}),
    Control(1009, 'updown', 205, 120, 10, 14, {buddy: 1008, range: {min: 0, max: 9},
                                               position: 3}),
    Control(1010, 'icon', 215, 7, 20, 20, {image: 'warning'}),
    Control(1011, 'animation', 215, 30, 20, 20),
    Control(1013, 'separator', 7, 148, 226, 1),
    Control(1, 'defbutton', 129, 152, 50, 14, {text: 'OK', style: WS_CHILD_VISIBLE | WS_TABSTOP | 1}),
    Control(2, 'button', 183, 152, 50, 14, {text: 'Cancel', style: WS_CHILD_VISIBLE | WS_TABSTOP}),
    Control(1012, 'sizegrip', 230, 160, 10, 10),
  ],
};

const kMessageBox = {
  id: 42, kind: 'messagebox', title: 'Pagewell Configuration', modal: true, enabled: true,
  text: 'Delete the user "Ann"?', icon: 'question', defaultButton: 6,
  buttons: [{id: 6, name: 'yes', text: '&Yes', enabled: true, visible: true, default: true},
            {id: 7, name: 'no', text: '&No', enabled: true, visible: true, default: false}],
  controls: [],
};

const kWizard = {
  id: 43, kind: 'wizard', title: 'Add Line', modal: true, enabled: true,
  size: {width: 200, height: 120}, font: {name: 'MS Shell Dlg', size: 8},
  pages: [{title: 'Welcome', active: true}, {title: 'Done', active: false}],
  page: {rect: {x: 0, y: 0, width: 200, height: 80}},
  buttons: [{id: 12323, name: 'back', text: '< &Back', enabled: false, visible: true},
            {id: 12324, name: 'next', text: '&Next >', enabled: true, visible: true, default: true},
            {id: 12325, name: 'finish', text: 'Finish', enabled: false, visible: false},
            {id: 2, name: 'cancel', text: 'Cancel', enabled: true, visible: true}],
  controls: [Control(-1, 'static', 7, 7, 180, 24, {text: 'This wizard adds a line.'})],
};

const kSheet = {
  id: 44, kind: 'sheet', title: 'Ann Properties', modal: false, enabled: true,
  size: {width: 220, height: 160}, font: {name: 'MS Shell Dlg', size: 8},
  pages: [{title: 'General', active: true}, {title: 'Fax', active: false}],
  page: {rect: {x: 7, y: 21, width: 206, height: 110}},
  buttons: [{id: 1, name: 'ok', text: 'OK', enabled: true, visible: true, default: true},
            {id: 2, name: 'cancel', text: 'Cancel', enabled: true, visible: true},
            {id: 12321, name: 'apply', text: '&Apply', enabled: false, visible: true}],
  controls: [Control(-1, 'static', 7, 9, 40, 8, {text: '&Email:'}),
             Control(1101, 'edit', 50, 7, 140, 14, {style: WS_CHILD_VISIBLE | WS_TABSTOP})],
};

let browser;
let console;
before(async () => {
  browser = await LaunchBrowser();
  console = await StartConsole({});
});
after(async () => {
  await browser?.close();
  if (console) assert.deepEqual(await console.Stop(), {code: 0, signal: null}, console.stderr());
});

// Opens the page and makes it see `windows`; every window action it sends is recorded (and
// answered with the same windows) instead of reaching the console.
async function PageWith(windows) {
  const actions = [];
  let shown = windows;
  const prepare = async (page) => {
    await page.route('**/api/v1/windows', (route) => route.fulfill({
      contentType: 'application/json', body: JSON.stringify({revision: 1, windows: shown})}));
    await page.route('**/api/v1/windows/**', (route) => {
      const url = new URL(route.request().url());
      actions.push([url.pathname.replace('/api/v1/windows/', ''),
                    JSON.parse(route.request().postData() || '{}')]);
      route.fulfill({contentType: 'application/json',
                     body: JSON.stringify({finished: true, windows: shown})});
    });
  };
  const opened = await OpenPage(browser, console, {viewport: {width: 1100, height: 760}, prepare});
  return {...opened, actions, Show: async (next) => {
    shown = next;
    await opened.page.evaluate((w) => window.pwconsole.windows_.Update(w), next);
  }};
}

// The dialog is laid out from its template in dialog units converted with its font, is
// modal over an inert frame, and keeps the template's Tab order with one stop per radio
// group; edits, radio arrows, mnemonics, up-downs, lists, Enter and Escape send the
// console the matching actions.
test('a dialog with every control kind is laid out and driven from the keyboard', async () => {
  const {page, context, errors, actions} = await PageWith([kDialog]);
  const dialog = page.locator('section.window[data-window="41"]');
  assert.equal(await dialog.getAttribute('role'), 'dialog');
  assert.equal(await dialog.getAttribute('aria-modal'), 'true');
  assert.equal(await dialog.locator('h2').textContent(), 'New User');
  assert.equal(await page.evaluate(() => document.getElementById('frame').inert), true);

  // Dialog units: x·baseX/4 and y·baseY/8 with the base units of the 8-point dialog font.
  const units = await page.evaluate(() => {
    const context2d = document.createElement('canvas').getContext('2d');
    context2d.font = '11px Tahoma, "Segoe UI", "DejaVu Sans", sans-serif';
    const metrics = context2d.measureText('ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz');
    return {x: Math.floor((Math.round(metrics.width) / 26 + 1) / 2),
            y: Math.round(metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent)};
  });
  assert.ok(units.x >= 5 && units.x <= 8 && units.y >= 11 && units.y <= 16, JSON.stringify(units));
  const box = await dialog.locator('input.ctl-edit').first().evaluate((e) => ({
    left: e.offsetLeft, top: e.offsetTop, width: e.offsetWidth, height: e.offsetHeight}));
  assert.deepEqual(box, {left: Math.round(50 * units.x / 4), top: Math.round(7 * units.y / 8),
                         width: Math.round(120 * units.x / 4),
                         height: Math.round(14 * units.y / 8)});
  const client = await dialog.locator('.window-client').evaluate((e) => [e.offsetWidth,
                                                                         e.offsetHeight]);
  assert.deepEqual(client, [Math.round(240 * units.x / 4), Math.round(170 * units.y / 8)]);

  // What each control shows.
  const name = page.getByRole('textbox', {name: 'Name'});
  assert.equal(await name.inputValue(), 'Ann');
  assert.equal(await name.evaluate((e) => e === document.activeElement), true);
  assert.equal(await page.getByRole('radio', {name: 'Person'}).isChecked(), true);
  assert.equal(await page.getByRole('checkbox', {name: 'Active'}).isChecked(), true);
  assert.equal(await page.getByRole('combobox', {name: 'Service'}).inputValue(), 'SMS');
  assert.deepEqual(await dialog.locator('.ctl-listview tbody tr').evaluateAll((rows) => rows.map(
                       (r) => [r.textContent, r.getAttribute('aria-selected')])),
                   [['Ann100', 'true'], ['Bob200', 'false']]);
  assert.equal(await dialog.locator('.ctl-icon .mb-icon').getAttribute('class'),
               'mb-icon icon-warning');
  assert.equal(await dialog.locator('.ctl-groupbox').textContent(), 'Kind');
  assert.equal(await dialog.locator('button.default').textContent(), 'OK');
  assert.equal(await dialog.locator('.ctl-static .mnemonic').first().textContent(), 'N');

  // Tab order: the template's, one stop for the radio group (its checked button).
  const order = [];
  for (let n = 0; n < 9; ++n) {
    await page.keyboard.press('Tab');
    order.push(await page.evaluate(() => {
      const e = document.activeElement;
      return e.getAttribute('aria-label') || e.labels?.[0]?.textContent || e.textContent;
    }));
  }
  assert.deepEqual(order, ['Person', 'Active', 'Service', 'Line', 'Numbers', 'Retries', 'OK',
                           'Cancel', 'Name']);

  actions.length = 0;
  await name.fill('Anna');
  await page.getByRole('radio', {name: 'Person'}).focus();
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Alt+a');
  await page.getByRole('combobox', {name: 'Service'}).selectOption('Fax');
  await page.getByRole('textbox', {name: 'Retries'}).press('ArrowUp');
  await dialog.locator('.ctl-listview tbody tr:nth-child(2)').click();
  await dialog.locator('.ctl-listview tbody tr:nth-child(2)').dblclick();
  await dialog.locator('.ctl-updown button').nth(1).click();
  await name.press('Enter');
  await name.press('Escape');
  await Eventually(() => assert.equal(actions.length, 12, JSON.stringify(actions)));
  assert.deepEqual(actions, [
    ['41/controls/1001', {action: 'setText', value: 'Anna'}],
    ['41/controls/1003', {action: 'click'}],
    ['41/controls/1004', {action: 'click'}],
    ['41/controls/1005', {action: 'select', value: 0}],
    ['41/controls/1009', {action: 'spin', value: 'up'}],
    ['41/controls/1007', {action: 'selectRows', value: [1]}],
    ['41/controls/1007', {action: 'selectRows', value: [1]}],
    ['41/controls/1007', {action: 'selectRows', value: [1]}],
    ['41/controls/1007', {action: 'doubleClick', value: 1}],
    ['41/controls/1009', {action: 'spin', value: 'down'}],
    ['41/key', {key: 'enter'}],
    ['41/key', {key: 'escape'}],
  ]);
  assert.deepEqual(await AxeViolations(page), []);
  await Screenshot(page, 'dialog-controls');
  assert.deepEqual(errors, []);
  await context.close();
});

// A message box shows its icon, text and buttons as an alert; Enter answers its default
// button; a Yes/No box ignores Escape, an OK/Cancel box answers it with Cancel.
test('message boxes show their icon and answer Enter and Escape', async () => {
  const {page, context, errors, actions, Show} = await PageWith([kMessageBox]);
  const box = page.locator('section.window[data-window="42"]');
  assert.equal(await box.getAttribute('role'), 'alertdialog');
  assert.equal(await page.getByRole('alertdialog', {name: 'Pagewell Configuration'})
                   .getAttribute('aria-describedby'), 'window-text-42');
  assert.equal(await box.locator('.messagebox-text').textContent(), 'Delete the user "Ann"?');
  assert.equal(await box.locator('.mb-icon').getAttribute('class'), 'mb-icon icon-question');
  assert.equal(await box.locator('.mb-icon').getAttribute('aria-label'), 'Question');
  assert.deepEqual(await box.locator('.window-buttons button').allTextContents(), ['Yes', 'No']);
  assert.equal(await box.locator('.window-caption button').count(), 1);
  await Screenshot(page, 'messagebox');
  assert.deepEqual(await AxeViolations(page), []);
  await box.locator('.messagebox-text').click();
  await page.keyboard.press('Escape');
  await page.keyboard.press('Enter');
  await page.keyboard.press('Alt+n');
  await Eventually(() => assert.equal(actions.length, 2));
  assert.deepEqual(actions, [['42/button', {button: 'yes'}], ['42/button', {button: 'no'}]]);

  actions.length = 0;
  // The answers to the keys above carry the old window list; let the page apply them before
  // the next list is shown, or a late one would bring the first box back.
  await page.waitForTimeout(300);
  await Show([{...kMessageBox, id: 45, icon: 'error', text: 'The line is busy.',
               buttons: [{id: 1, name: 'ok', text: 'OK', enabled: true, visible: true,
                          default: true},
                         {id: 2, name: 'cancel', text: 'Cancel', enabled: true,
                          visible: true}]}]);
  assert.equal(await page.locator('section.window[data-window="42"]').count(), 0);
  await page.locator('section.window[data-window="45"] .messagebox-text').click();
  await page.keyboard.press('Escape');
  await Eventually(() => assert.deepEqual(actions, [['45/button', {button: 'cancel'}]]));
  assert.deepEqual(errors, []);
  await context.close();
});

// A wizard shows its page's title instead of tabs and its Back/Next/Finish buttons as the
// console set them; a sheet's tabs choose pages; a second window stacks above the first and
// the caption moves a window.
test('wizards and sheets show their pages and buttons', async () => {
  const {page, context, errors, actions, Show} = await PageWith([kWizard]);
  const wizard = page.locator('section.window[data-window="43"]');
  assert.equal(await wizard.locator('.wizard-title').textContent(), 'Welcome');
  assert.equal(await wizard.locator('[role="tab"]').count(), 0);
  assert.deepEqual(await wizard.locator('.window-buttons button').evaluateAll((buttons) =>
                       buttons.map((b) => [b.textContent, b.disabled])),
                   [['< Back', true], ['Next >', false], ['Cancel', false]]);
  await wizard.locator('button[data-button="next"]').click();
  await Eventually(() => assert.deepEqual(actions, [['43/button', {button: 'next'}]]));
  await Screenshot(page, 'wizard');

  actions.length = 0;
  await page.waitForTimeout(300);  // the answer to Next carries the old list, as above
  await Show([kSheet, {...kSheet, id: 46, title: 'Bob Properties'}]);
  const sheet = page.locator('section.window[data-window="44"]');
  const top = page.locator('section.window[data-window="46"]');
  assert.equal(await page.evaluate(() => document.getElementById('frame').inert), false);
  const z = await Promise.all([sheet, top].map((w) => w.evaluate((e) => Number(e.style.zIndex))));
  assert.ok(z[1] > z[0], `z-order ${z}`);
  assert.deepEqual(await sheet.locator('[role="tab"]').allTextContents(), ['General', 'Fax']);
  assert.equal(await sheet.locator('[role="tab"][aria-selected="true"]').textContent(), 'General');
  const before = await top.boundingBox();
  const grip = await top.locator('.window-caption h2').boundingBox();
  await page.mouse.move(grip.x + 10, grip.y + 5);
  await page.mouse.down();
  await page.mouse.move(grip.x + 90, grip.y + 65, {steps: 4});
  await page.mouse.up();
  const moved = await top.boundingBox();
  assert.deepEqual([Math.round(moved.x - before.x), Math.round(moved.y - before.y)], [80, 60]);
  // Moved aside, the lower sheet's tabs can be clicked.
  await sheet.locator('[role="tab"]', {hasText: 'Fax'}).click();
  await Eventually(() => assert.deepEqual(actions, [['44/page', {index: 1}]]));
  assert.deepEqual(await AxeViolations(page), []);

  // A wait box: its text as a status, a spinner, and no close box to end it early.
  await Show([{id: 47, kind: 'wait', title: 'Please wait', modal: true, enabled: true,
               text: 'Checking for updates...', controls: []}]);
  const wait = page.locator('section.window[data-window="47"]');
  assert.equal(await wait.locator('[role="status"]').textContent(), 'Checking for updates...');
  assert.equal(await wait.locator('.window-close').count(), 0);
  assert.equal(await wait.locator('.spinner').count(), 1);
  assert.equal(await page.evaluate(() => document.getElementById('frame').inert), true);
  assert.deepEqual(errors, []);
  await context.close();
});
