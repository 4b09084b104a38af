// How the console's page looks and reads: accessibility checked by axe-core on the main
// screens, screenshots kept as artefacts (desktop, narrow, dark), German throughout the
// frame, and the Pagewell snap-in on a demo installation.

import assert from 'node:assert/strict';
import {after, before, test} from 'node:test';

import {CallApi, LaunchBrowser, StartConsole} from './console_process.mjs';
import {AxeViolations, Eventually, GridRows, OpenPage, Screenshot, TreeNames} from './page_helpers.mjs';

let browser;
before(async () => {
  browser = await LaunchBrowser();
});
after(async () => {
  await browser?.close();
});

// axe-core finds no serious or critical violation on the list, the message view, an open
// menu and an open property sheet, in light and dark; each screen is kept as a screenshot.
test('the main screens pass axe-core and are kept as screenshots', async () => {
  const console = await StartConsole({});
  try {
    const {page, context, errors} = await OpenPage(browser, console);
    await page.click('#scope-tree .tree-label >> text=Folder');
    await Eventually(async () => assert.equal((await GridRows(page)).length, 4));
    await page.click('#result-grid .grid-row:has-text("Beta")');
    assert.deepEqual(await AxeViolations(page), []);
    await Screenshot(page, 'desktop-list');

    await page.click('#scope-tree .tree-label >> text=Folder', {button: 'right'});
    await page.waitForSelector('.menu');
    assert.deepEqual(await AxeViolations(page), []);
    await Screenshot(page, 'desktop-menu');
    await page.keyboard.press('Escape');

    await page.click('#scope-tree .tree-label >> text=Folder');
    await page.waitForSelector('#verb-properties:not([disabled])');
    await page.keyboard.press('Alt+Enter');
    await page.waitForSelector('.window-sheet');
    assert.deepEqual(await AxeViolations(page), []);
    await Screenshot(page, 'desktop-sheet');
    await page.keyboard.press('Escape');
    await page.waitForSelector('.window-sheet', {state: 'detached'});

    await page.click('#scope-tree .tree-label >> text=Message');
    await page.waitForSelector('.message-view');
    assert.deepEqual(await AxeViolations(page), []);
    await Screenshot(page, 'desktop-message');

    // The theme chosen in the frame applies at once and stays for the next visit.
    await page.selectOption('#theme-select', 'dark');
    assert.equal(await page.getAttribute('html', 'data-theme'), 'dark');
    await page.click('#scope-tree .tree-label >> text=Virtual');
    await Eventually(async () => assert.equal((await GridRows(page))[0][0], 'Row 0'));
    assert.deepEqual(await AxeViolations(page), []);
    await Screenshot(page, 'dark-virtual-list');
    await page.reload();
    await page.waitForSelector('#frame[aria-busy="false"]');
    assert.equal(await page.getAttribute('html', 'data-theme'), 'dark');
    assert.equal(await page.inputValue('#theme-select'), 'dark');
    assert.deepEqual(errors, []);
    await context.close();

    // Follow-the-system: a browser that prefers dark gets the dark colours.
    const system = await OpenPage(browser, console, {colorScheme: 'dark'});
    assert.equal(await system.page.getAttribute('html', 'data-theme'), 'system');
    const background = await system.page.$eval('.scope-pane',
                                               (e) => getComputedStyle(e).backgroundColor);
    assert.equal(background, 'rgb(39, 39, 39)');
    await system.context.close();

    // A narrow window puts the tree above the list; nothing is cut off sideways.
    const narrow = await OpenPage(browser, console, {viewport: {width: 390, height: 800}});
    await narrow.page.click('#scope-tree .tree-label >> text=Folder');
    await Eventually(async () => assert.equal((await GridRows(narrow.page)).length, 4));
    const tree = await narrow.page.$eval('.scope-pane', (e) => e.getBoundingClientRect().toJSON());
    const result = await narrow.page.$eval('.result-pane', (e) => e.getBoundingClientRect().toJSON());
    assert.ok(result.top >= tree.bottom - 1, 'the list is not below the tree');
    assert.equal(await narrow.page.evaluate(() => document.documentElement.scrollWidth <= 390),
                 true);
    assert.deepEqual(await AxeViolations(narrow.page), []);
    await Screenshot(narrow.page, 'narrow');
    assert.deepEqual(narrow.errors, []);
    await narrow.context.close();
  } finally {
    assert.deepEqual(await console.Stop(), {code: 0, signal: null}, console.stderr());
  }
});

// With --language de every text of the frame is German (nothing left in English), and both
// string tables have the same keys.
test('the frame speaks German when the console does', async () => {
  const console = await StartConsole({language: 'de'});
  try {
    const english = (await CallApi(console, 'GET', '/strings?lang=en')).json;
    const german = (await CallApi(console, 'GET', '/strings?lang=de')).json;
    assert.deepEqual(Object.keys(german).sort(), Object.keys(english).sort());
    const {page, context, errors} = await OpenPage(browser, console);
    assert.equal(await page.getAttribute('html', 'lang'), 'de');
    assert.equal(await page.textContent('label.setting > span'), 'Darstellung:');
    assert.deepEqual(await page.$$eval('#theme-select option', (o) => o.map((x) => x.textContent)),
                     ['Wie das System', 'Hell', 'Dunkel']);
    assert.equal(await page.getAttribute('#verb-refresh', 'aria-label'), 'Aktualisieren');
    assert.equal(await page.getAttribute('#nav-up', 'title'), 'Eine Ebene nach oben');
    assert.equal(await page.textContent('#save-document'), 'Konsole speichern');
    assert.equal(await page.getAttribute('#scope-tree', 'aria-label'), 'Konsolenstruktur');
    // Every frame text was found in the table: none shows as a [key] placeholder.
    const body = await page.textContent('body');
    assert.doesNotMatch(body, /\[[a-zA-Z_]+\]/);
    await page.click('#scope-tree .tree-label >> text=Message');
    await page.waitForSelector('.message-view');
    assert.equal(await page.getAttribute('.message-view .mb-icon', 'aria-label'), 'Information');
    await page.click('#scope-tree .tree-label >> text=Folder');
    await Eventually(async () => assert.equal((await GridRows(page)).length, 4));
    await page.fill('#filter-box', 'alpha');
    await Eventually(async () => assert.equal(await page.textContent('#filter-count'),
                                              '1 von 4 Elementen'));
    await Screenshot(page, 'german-list');
    assert.deepEqual(errors, []);
    await context.close();
  } finally {
    assert.deepEqual(await console.Stop(), {code: 0, signal: null}, console.stderr());
  }
});

// The Pagewell snap-in on a demo installation: its root and first level, opened from the
// keyboard, with the snap-in's own images.
test('the Pagewell snap-in shows its tree', async () => {
  const console = await StartConsole({snapin: 'real'});
  try {
    const {page, context, errors} = await OpenPage(browser, console);
    assert.equal(await page.title(), 'Console1 - [Pagewell Configuration (Local)]');
    const names = await TreeNames(page);
    assert.equal(names[0], 'Pagewell Configuration (Local)');
    assert.ok(names.includes('Routing'), names.join(', '));
    await page.click('#scope-tree .tree-label >> text=Routing');
    await page.keyboard.press('ArrowRight');
    await Eventually(async () => {
      const now = await TreeNames(page);
      assert.ok(now.length > names.length, 'Routing did not open');
      assert.equal(now[now.indexOf('Routing') - 1], names[names.indexOf('Routing') - 1]);
    });
    const loaded = await page.$$eval('#scope-tree img', (images) => images.filter(
        (image) => image.complete && image.naturalWidth === 16).length);
    assert.ok(loaded > 3, `${loaded} tree images`);
    await Screenshot(page, 'pagewell-tree');
    assert.deepEqual(errors, []);
    await context.close();
  } finally {
    assert.deepEqual(await console.Stop(), {code: 0, signal: null}, console.stderr());
  }
});
