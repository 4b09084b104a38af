// The console's page in a real browser against a real pwconsole: sign-in, the tree, the
// result panes, menus, sheets, live updates across tabs, refusals, and addresses.

import assert from 'node:assert/strict';
import {after, before, test} from 'node:test';

import {CallApi, LaunchBrowser, StartConsole} from './console_process.mjs';
import {Eventually, GridRows, OpenPage, TreeNames} from './page_helpers.mjs';

let browser;
before(async () => {
  browser = await LaunchBrowser();
});
after(async () => {
  await browser?.close();
});

// Runs `body` with a console of its own that is stopped (and its files removed) afterwards,
// whatever happens; the console must end cleanly.
async function WithConsole(options, body) {
  const console = await StartConsole(options);
  let failed = false;
  try {
    await body(console);
  } catch (error) {
    failed = true;
    throw error;
  } finally {
    const ended = await console.Stop();
    if (!failed) assert.deepEqual(ended, {code: 0, signal: null}, console.stderr());
  }
}

// The printed address signs the page in: the token becomes a session cookie that script
// cannot read and leaves the address bar; the tree shows the snap-in's root and children.
test('the token signs the page in and the tree shows the snap-in', async () => {
  await WithConsole({}, async (console) => {
    const {page, context, errors} = await OpenPage(browser, console);
    assert.equal(new URL(page.url()).searchParams.get('token'), null);
    const cookies = await context.cookies();
    const session = cookies.find((cookie) => cookie.name === 'pwsession');
    assert.ok(session, 'no session cookie');
    assert.equal(session.httpOnly, true);
    assert.equal(session.sameSite, 'Strict');
    assert.equal(await page.evaluate(() => document.cookie), '');
    assert.equal(await page.title(), 'Console1 - [Test Root]');
    assert.deepEqual(await TreeNames(page), ['Test Root', 'Folder', 'Virtual', 'Message', 'Web']);
    assert.equal(await page.getAttribute('#scope-tree > li', 'aria-expanded'), 'true');
    assert.equal(await page.getAttribute('#scope-tree > li', 'aria-selected'), 'true');
    assert.equal(new URL(page.url()).hash, '#/Test%20Root');
    // The root lists its children in the result pane, with the snap-in's columns.
    await Eventually(async () => assert.deepEqual(await GridRows(page), [
      ['Folder', 'About Folder'], ['Virtual', 'About Virtual'], ['Message', 'About Message'],
      ['Web', 'About Web']]));
    assert.deepEqual(await page.$$eval('#result-grid [role="columnheader"]',
                                       (cells) => cells.map((cell) => cell.textContent)),
                     ['Option', 'Description']);
    assert.deepEqual(errors, []);
    await context.close();
  });
});

// Selecting nodes shows the list with its description bar, the message view, and the web
// view; each node has an address, so Back and Forward and a typed address work.
test('walking the tree shows every kind of result pane, with addresses', async () => {
  await WithConsole({}, async (console) => {
    const {page, context, errors} = await OpenPage(browser, console);
    await page.click('#scope-tree .tree-label >> text=Folder');
    await Eventually(async () => assert.deepEqual(await GridRows(page), [
      ['Sub', 'About Sub'], ['Alpha', 'About Alpha'], ['Beta', 'About Beta'],
      ['Gamma', 'About Gamma']]));
    // The description bar and the address follow the selection a moment later on a slow build.
    await Eventually(async () => assert.equal(await page.textContent('#desc-bar'), '3 items'));
    await Eventually(async () => assert.equal(new URL(page.url()).hash, '#/Test%20Root/Folder'));
    // Lazy expansion: Folder's child appears only once it is opened.
    assert.deepEqual(await TreeNames(page), ['Test Root', 'Folder', 'Virtual', 'Message', 'Web']);
    await page.click('#scope-tree li[aria-label="Folder"] .tree-twisty, ' +
                     '#scope-tree li:has(> .tree-row .tree-label:text-is("Folder")) .tree-twisty');
    await Eventually(async () => assert.deepEqual(
        await TreeNames(page), ['Test Root', 'Folder', 'Sub', 'Virtual', 'Message', 'Web']));

    await page.click('#scope-tree .tree-label >> text=Message');
    await page.waitForSelector('.message-view');
    assert.equal(await page.textContent('.message-view h2'), 'No data');
    assert.equal(await page.textContent('.message-view p'), 'Nothing to show here.');
    assert.equal(await page.getAttribute('.message-view .mb-icon', 'aria-label'), 'Information');
    assert.equal(await page.isHidden('#filter-row'), true);

    await page.goBack();
    await Eventually(async () => {
      assert.equal(new URL(page.url()).hash, '#/Test%20Root/Folder');
      assert.equal(await page.getAttribute(
          '#scope-tree li:has(> .tree-row .tree-label:text-is("Folder"))', 'aria-selected'),
                   'true');
      assert.equal((await GridRows(page)).length, 4);
    });
    const state = await CallApi(console, 'GET', '/views/1');
    assert.equal(state.json.item, (await CallApi(console, 'POST', '/scope/lookup',
                                                 {path: ['Test Root', 'Folder']})).json.item);
    await page.goForward();
    await page.waitForSelector('.message-view');

    // An address opened directly (a bookmark) selects its node.
    await page.goto(`${console.origin}/#/Test%20Root/Web`);
    await page.waitForSelector('#frame[aria-busy="false"]');
    // Another site's page cannot be framed under the console's policy: it is offered as a
    // link that opens in a tab of its own.
    await page.waitForSelector('.web-external');
    assert.equal(await page.getAttribute('.web-external a', 'href'),
                 'https://example.invalid/help.htm');
    assert.equal(await page.getAttribute('.web-external a', 'target'), '_blank');
    assert.equal(await page.$('iframe'), null);
    assert.deepEqual(errors, []);
    await context.close();
  });
});

// The context menu lists the snap-in's items in their order, then the console's; greyed
// items cannot be chosen; the status text of the item in focus is in the status bar;
// choosing Properties opens the item's sheet.
test('context menus show greyed items and status texts and run commands', async () => {
  await WithConsole({}, async (console) => {
    const {page, context, errors} = await OpenPage(browser, console);
    await page.click('#scope-tree .tree-label >> text=Folder');
    await page.waitForSelector('#verb-properties:not([disabled])');
    await page.click('#scope-tree .tree-label >> text=Folder', {button: 'right'});
    await page.waitForSelector('.menu');
    const texts = await page.$$eval('.menu .menu-item', (items) => items.map((i) => i.textContent));
    assert.deepEqual(texts, ['New thing', 'Refresh all views', 'New Window from Here', 'Rename',
                             'Refresh', 'Properties']);
    assert.equal(await page.textContent('.menu .menu-item:first-child .mnemonic').catch(() => ''),
                 '');
    assert.equal(await page.textContent('.menu .menu-item:nth-child(3) .mnemonic'), 'W');
    await Eventually(async () => assert.equal(await page.textContent('#status-text'),
                                              'Makes a thing'));
    await page.keyboard.press('Escape');
    assert.equal(await page.$('.menu'), null);
    assert.equal(await page.textContent('#status-text'), '');

    // Properties from the scope item's menu opens its sheet.
    await page.click('#scope-tree .tree-label >> text=Folder', {button: 'right'});
    await page.click('.menu .menu-item >> text=Properties');
    await page.waitForSelector('.window-sheet');
    assert.equal(await page.textContent('.window-sheet h2'), 'Folder Properties');
    await page.click('.window-sheet .window-buttons button[data-button="cancel"]');
    await page.waitForSelector('.window-sheet', {state: 'detached'});

    // A result row's menu: "Unavailable" is greyed and does nothing when clicked.
    await Eventually(async () => assert.equal((await GridRows(page)).length, 4));
    await page.click('#result-grid .grid-row:has-text("Alpha")', {button: 'right'});
    await page.waitForSelector('.menu');
    const grayed = page.locator('.menu .menu-item', {hasText: 'Unavailable'});
    assert.equal(await grayed.getAttribute('aria-disabled'), 'true');
    await grayed.click({force: true});
    assert.notEqual(await page.$('.menu'), null, 'a greyed item closed the menu');
    // Keyboard in the menu: Down skips nothing, Enter runs the item in focus.
    await page.keyboard.press('Home');
    assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Item task');
    await page.keyboard.press('Enter');
    assert.equal(await page.$('.menu'), null);
    assert.equal(await page.isHidden('#error-bar'), true);
    assert.deepEqual(errors, []);
    await context.close();
  });
});

// A sheet opened in one tab is filled there and applied; a second tab (a second view of the
// console) shows the same window live and sees it go; Escape cancels, Enter presses OK.
test('sheets are filled and applied, and a second tab follows live', async () => {
  await WithConsole({}, async (console) => {
    const first = await OpenPage(browser, console);
    // The second tab opens the console's address without the token: the session is shared.
    const second = await OpenPage(browser, console, {context: first.context,
                                                     url: `${console.origin}/`});
    const page = first.page;
    // Each tab works in a view of its own.
    assert.equal(await page.evaluate(() => document.body.dataset.view), '1');
    assert.equal(await second.page.evaluate(() => document.body.dataset.view), '2');
    const views = (await CallApi(console, 'GET', '/console')).json.views.map((v) => v.id);
    assert.deepEqual(views, [1, 2]);

    await page.click('#scope-tree .tree-label >> text=Folder');
    await page.waitForSelector('#verb-properties:not([disabled])');
    await page.click('#verb-properties');
    await page.waitForSelector('.window-sheet');
    assert.deepEqual(await page.$$eval('.window-sheet [role="tab"]', (t) => t.map((x) => x.textContent)),
                     ['Folder']);
    const name = page.getByRole('textbox', {name: 'Name'});
    assert.equal(await name.evaluate((element) => element === document.activeElement), true);
    await name.fill('Hello');
    await Eventually(async () => {
      const windows = (await CallApi(console, 'GET', '/windows')).json.windows;
      assert.equal(windows.length, 1);
      assert.equal(windows[0].controls.find((c) => c.id === 1002).text, 'Hello');
    });
    // The other tab shows the same sheet with what was typed.
    await second.page.waitForSelector('.window-sheet');
    await Eventually(async () => assert.equal(
        await second.page.inputValue('.window-sheet input.ctl-edit'), 'Hello'));

    await page.click('.window-sheet .window-buttons button[data-button="apply"]');
    await page.click('.window-sheet .window-buttons button[data-button="ok"]');
    await page.waitForSelector('.window-sheet', {state: 'detached'});
    await second.page.waitForSelector('.window-sheet', {state: 'detached'});
    assert.deepEqual((await CallApi(console, 'GET', '/windows')).json.windows, []);

    // Keyboard: Enter on the tree runs the default verb (Properties here); Escape cancels.
    await page.focus('#scope-tree li[aria-selected="true"]');
    await page.keyboard.press('Enter');
    await page.waitForSelector('.window-sheet');
    await page.keyboard.press('Escape');
    await page.waitForSelector('.window-sheet', {state: 'detached'});
    // Alt+Enter is Properties; Enter in the sheet's edit presses the default button (OK).
    await page.focus('#scope-tree li[aria-selected="true"]');
    await page.keyboard.press('Alt+Enter');
    await page.waitForSelector('.window-sheet');
    await page.getByRole('textbox', {name: 'Name'}).press('Enter');
    await page.waitForSelector('.window-sheet', {state: 'detached'});
    assert.deepEqual(first.errors, []);
    assert.deepEqual(second.errors, []);
    await first.context.close();
  });
});

// Refusals: without the token the page says what to do and the API answers 401; a foreign
// Origin and malformed bodies are refused with JSON errors and change nothing.
test('requests without the token, from another origin or malformed are refused', async () => {
  await WithConsole({}, async (console) => {
    const stranger = await browser.newContext();
    const page = await stranger.newPage();
    await page.goto(`${console.origin}/`);
    // The page learns from its first answer (401) that it has no session.
    await Eventually(async () => assert.match(await page.textContent('body'), /token/i));
    const anonymous = await fetch(`${console.origin}/api/v1/console`);
    assert.equal(anonymous.status, 401);
    assert.equal((await anonymous.json()).error.code, 'unauthorized');
    await stranger.close();

    const before = (await CallApi(console, 'GET', '/views/1')).json;
    const {context, page: signed} = await OpenPage(browser, console);
    // The page's own session, used from a foreign origin: refused.
    const foreign = await signed.evaluate(async () => {
      const session = await (await fetch('/api/v1/session')).json();
      return session.csrf;
    });
    const cookies = (await context.cookies()).map((c) => `${c.name}=${c.value}`).join('; ');
    const attack = await fetch(`${console.origin}/api/v1/views/1/select`, {
      method: 'POST', body: JSON.stringify({item: 2}),
      headers: {'Content-Type': 'application/json', Cookie: cookies, 'X-PW-CSRF': foreign,
                Origin: 'http://evil.example'}});
    assert.equal(attack.status, 403);
    assert.equal((await attack.json()).error.code, 'forbidden-origin');
    // Without the CSRF header, also from the right origin: refused.
    const noCsrf = await fetch(`${console.origin}/api/v1/views/1/select`, {
      method: 'POST', body: JSON.stringify({item: 2}),
      headers: {'Content-Type': 'application/json', Cookie: cookies, Origin: console.origin}});
    assert.equal(noCsrf.status, 403);
    assert.equal((await noCsrf.json()).error.code, 'csrf');
    const broken = await CallApi(console, 'POST', '/views/1/select', '{"item": ');
    assert.equal(broken.status, 400);
    assert.equal(broken.json.error.code, 'bad-json');
    const wrongType = await CallApi(console, 'POST', '/views/1/select', {item: 'two'});
    assert.equal(wrongType.status, 400);
    assert.equal(wrongType.json.error.code, 'bad-request');
    const after = (await CallApi(console, 'GET', '/views/1')).json;
    assert.equal(after.item, before.item);
    // The page shows a refusal as an error that can be copied, with its details.
    await signed.evaluate(() => window.pwconsole.Action('/views/1/select', {item: 99999}));
    await signed.waitForSelector('#error-bar:not([hidden])');
    assert.match(await signed.textContent('#error-details'),
                 /^POST \/api\/v1\/views\/1\/select\nHTTP 404 unknown-item\nThere is no such item in the tree\.$/);
    await context.grantPermissions(['clipboard-read', 'clipboard-write']);
    await signed.click('#error-copy');
    assert.equal(await signed.evaluate(() => navigator.clipboard.readText()),
                 'There is no such item in the tree.\nPOST /api/v1/views/1/select\n' +
                 'HTTP 404 unknown-item\nThere is no such item in the tree.');
    await signed.click('#error-close');
    assert.equal(await signed.isHidden('#error-bar'), true);
    await context.close();
  });
});
