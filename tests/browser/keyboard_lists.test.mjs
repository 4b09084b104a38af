// The console's page from the keyboard, and its lists: tree navigation, the virtual list that
// reads only the rows in sight, selection, type-ahead, sorting, the filter, rename in place,
// and the snap-in's toolbar.

import assert from 'node:assert/strict';
import {statSync} from 'node:fs';
import path from 'node:path';
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

async function WithPage(body) {
  const console = await StartConsole({});
  try {
    const opened = await OpenPage(browser, console);
    try {
      await body(opened.page, console, opened.errors);
      assert.deepEqual(opened.errors, []);
    } finally {
      await opened.context.close();
    }
  } finally {
    assert.deepEqual(await console.Stop(), {code: 0, signal: null}, console.stderr());
  }
}

function SelectedName(page) {
  return page.$eval('#scope-tree li[aria-selected="true"] > .tree-row .tree-label',
                    (label) => label.textContent);
}

function FocusedName(page) {
  return page.evaluate(() => document.activeElement.querySelector(':scope > .tree-row .tree-label')
                                 ?.textContent);
}

async function Selection(console) {
  return (await CallApi(console, 'GET', '/views/1')).json.selection;
}

// Arrows, Home/End and type-ahead move through the tree and select as they go; Right opens
// a node (reading its children) or enters it, Left leaves or closes it.
test('the tree is walked with the keyboard', async () => {
  await WithPage(async (page, console) => {
    await page.focus('#scope-tree li[aria-selected="true"]');
    assert.equal(await FocusedName(page), 'Test Root');
    await page.keyboard.press('ArrowDown');
    await Eventually(async () => assert.equal(await SelectedName(page), 'Folder'));
    await Eventually(async () => assert.equal(new URL(page.url()).hash, '#/Test%20Root/Folder'));
    await page.keyboard.press('ArrowRight');
    await Eventually(async () => assert.deepEqual(
        await TreeNames(page), ['Test Root', 'Folder', 'Sub', 'Virtual', 'Message', 'Web']));
    assert.equal(await page.getAttribute('#scope-tree li[aria-label="Folder"]', 'aria-expanded'),
                 'true');
    await page.keyboard.press('ArrowRight');
    await Eventually(async () => assert.equal(await SelectedName(page), 'Sub'));
    assert.equal(await page.getAttribute('#scope-tree li[aria-label="Sub"]', 'aria-level'), '3');
    await page.keyboard.press('ArrowLeft');
    await Eventually(async () => assert.equal(await SelectedName(page), 'Folder'));
    await page.keyboard.press('ArrowLeft');
    await Eventually(async () => assert.deepEqual(
        await TreeNames(page), ['Test Root', 'Folder', 'Virtual', 'Message', 'Web']));
    await page.keyboard.press('End');
    await Eventually(async () => assert.equal(await SelectedName(page), 'Web'));
    await page.keyboard.press('m');
    await Eventually(async () => assert.equal(await SelectedName(page), 'Message'));
    // Shift+F10 opens the focused node's menu from the keyboard; arrows move in it.
    await page.keyboard.press('Home');
    await Eventually(async () => assert.equal(await SelectedName(page), 'Test Root'));
    assert.equal(await FocusedName(page), 'Test Root');
    await page.keyboard.press('Shift+F10');
    await page.waitForSelector('.menu');
    assert.equal(await page.evaluate(() => document.activeElement.textContent),
                 'New Window from Here');
    await page.keyboard.press('Escape');
    await page.waitForSelector('.menu', {state: 'detached'});
    assert.equal(await FocusedName(page), 'Test Root');
    // The view on the console's side follows: the selection is the scope item shown.
    const root = (await CallApi(console, 'GET', '/console')).json.root;
    await Eventually(async () => assert.equal(
        (await CallApi(console, 'GET', '/views/1')).json.item, root));
  });
});

// A list of 1000 rows asks only for the rows in sight; selection follows Shift, Ctrl, Home,
// End and PageDown; typing finds a row; header clicks sort with the arrow shown.
test('the virtual list reads visible rows and is driven by the keyboard', async () => {
  await WithPage(async (page, console) => {
    const reads = [];
    page.on('request', (request) => {
      const match = /\/rows\?first=(\d+)&last=(\d+)/.exec(request.url());
      if (match) reads.push([Number(match[1]), Number(match[2])]);
    });
    await page.click('#scope-tree .tree-label >> text=Virtual');
    await Eventually(async () => assert.deepEqual((await GridRows(page))[0], ['Row 0', 'Value 0']));
    assert.equal(await page.getAttribute('#result-grid', 'aria-rowcount'), '1001');
    const drawn = (await GridRows(page)).length;
    assert.ok(drawn > 10 && drawn < 60, `${drawn} rows drawn`);
    assert.ok(reads.length > 0 && reads.every(([first, last]) => last - first < 60),
              JSON.stringify(reads));

    await page.click('#result-grid .grid-row:has-text("Row 0")');
    await Eventually(async () => assert.deepEqual(await Selection(console), [0]));
    await page.keyboard.press('Shift+ArrowDown');
    await page.keyboard.press('Shift+ArrowDown');
    await Eventually(async () => assert.deepEqual(await Selection(console), [0, 1, 2]));
    await page.keyboard.press('Control+ArrowDown');
    await page.keyboard.press('Control+ArrowDown');
    await page.keyboard.press('Control+Space');
    await Eventually(async () => assert.deepEqual(await Selection(console), [0, 1, 2, 4]));
    await page.keyboard.press('End');
    await Eventually(async () => assert.deepEqual(await Selection(console), [999]));
    await Eventually(async () => assert.deepEqual((await GridRows(page)).at(-1),
                                                  ['Row 999', 'Value 9990']));
    assert.ok(reads.some(([first, last]) => first <= 999 && last >= 999));
    assert.ok(reads.every(([first, last]) => last - first < 60), JSON.stringify(reads));
    await page.keyboard.press('Home');
    await Eventually(async () => assert.deepEqual(await Selection(console), [0]));
    await page.keyboard.press('PageDown');
    await Eventually(async () => {
      const selection = await Selection(console);
      assert.equal(selection.length, 1);
      assert.ok(selection[0] > 5, `PageDown went to ${selection[0]}`);
    });
    await page.keyboard.type('Row 42');
    await Eventually(async () => assert.deepEqual(await Selection(console), [42]));
    await Eventually(async () => assert.equal(
        await page.getAttribute('#result-grid', 'aria-activedescendant'), 'row-42'));

    const header = page.locator('#result-grid [role="columnheader"]', {hasText: 'Row'});
    await header.click();
    assert.equal(await header.getAttribute('aria-sort'), 'ascending');
    await header.click();
    assert.equal(await header.getAttribute('aria-sort'), 'descending');
    await page.keyboard.press('Home');
    await Eventually(async () => assert.deepEqual((await GridRows(page))[0],
                                                  ['Row 999', 'Value 0']));
  });
});

// The filter box narrows a list to the rows with the text in any column and says how many;
// F2 renames a row in place; the snap-in's toolbar shows its buttons with their states.
test('the filter, rename in place and the toolbar', async () => {
  await WithPage(async (page, console) => {
    await page.click('#scope-tree .tree-label >> text=Folder');
    await Eventually(async () => assert.equal((await GridRows(page)).length, 4));
    // A button shows its image; one whose image the snap-in never gave shows its text.
    await Eventually(async () => assert.deepEqual(
        await page.$$eval('#snapin-tools button', (buttons) => buttons.map(
            (b) => [b.getAttribute('aria-label'), b.title, b.disabled, b.textContent,
                    b.querySelector('img')?.naturalWidth ?? null])),
        [['Go', 'Goes', false, '', 16], ['Stop', 'Stops', true, 'Stop', null]]));
    await page.click('#snapin-tools button[title="Goes"]');
    await page.fill('#filter-box', 'ALP');
    await Eventually(async () => assert.deepEqual(await GridRows(page),
                                                  [['Alpha', 'About Alpha']]));
    assert.equal(await page.textContent('#filter-count'), '1 of 4 items');
    await page.fill('#filter-box', '');
    await Eventually(async () => assert.equal((await GridRows(page)).length, 4));
    assert.equal(await page.textContent('#filter-count'), '');

    await page.click('#result-grid .grid-row:has-text("Alpha")');
    await Eventually(async () => assert.deepEqual(await Selection(console), [1]));
    await page.keyboard.press('F2');
    const editor = page.locator('#result-grid input.inline-edit');
    assert.equal(await editor.inputValue(), 'Alpha');
    await editor.fill('Alef');
    await editor.press('Enter');
    await page.waitForSelector('#result-grid input.inline-edit', {state: 'detached'});
    assert.equal(await page.isHidden('#error-bar'), true);
    // The toolbar's Go button was pressed without an error either.
    assert.equal((await CallApi(console, 'GET', '/windows')).json.windows.length, 0);
  });
});

// Delete removes the selected row, F5 refreshes the node in the tree, and the frame's save
// button asks for a file name once and writes the console document there.
test('Delete, F5 and saving the console', async () => {
  await WithPage(async (page, console) => {
    const verbs = [];
    page.on('request', (request) => {
      if (request.url().endsWith('/views/1/verb')) verbs.push(JSON.parse(request.postData()));
    });
    await page.click('#scope-tree .tree-label >> text=Folder');
    await Eventually(async () => assert.equal((await GridRows(page)).length, 4));
    await page.click('#result-grid .grid-row:has-text("Alpha")');
    await Eventually(async () => assert.deepEqual(await Selection(console), [1]));
    // The key acts once the page knows the row's verbs, as the toolbar's button shows.
    await page.waitForSelector('#toolbar [data-verb="delete"]:not([disabled])');
    await page.keyboard.press('Delete');
    await Eventually(async () => assert.deepEqual((await GridRows(page)).map((row) => row[0]),
                                                  ['Sub', 'Beta', 'Gamma']));

    await page.focus('#scope-tree li[aria-selected="true"]');
    await page.keyboard.press('F5');
    await Eventually(async () => assert.deepEqual(verbs.at(-1), {target: 'scope', verb: 'refresh'}));
    assert.deepEqual(verbs[0], {target: 'result', verb: 'delete'});
    assert.equal(await page.isHidden('#error-bar'), true);

    const file = path.join(console.dir, 'saved.msc');
    const prompts = [];
    page.on('dialog', (dialog) => {
      prompts.push(dialog.message());
      dialog.accept(file);
    });
    await page.click('#save-document');
    await Eventually(async () => assert.equal(
        await page.textContent('#status-text'), `The console was saved to ${file}.`));
    assert.ok(statSync(file).size > 0);
    // Saving again writes the same document without asking.
    const saves = [];
    page.on('response', (response) => {
      if (response.url().endsWith('/document/save')) saves.push(response.status());
    });
    await page.click('#save-document');
    await Eventually(async () => assert.deepEqual(saves, [200]));
    assert.deepEqual(prompts, ['Save the console document as:']);
  });
});
