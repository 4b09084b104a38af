// A snap-in command's modal dialog end to end on the real console: the menu runs it, the page
// draws it from its template, a message box keeps it open until it is filled, a question
// follows, and its answer ends the dialog with what the person chose.

import assert from 'node:assert/strict';
import {after, before, test} from 'node:test';

import {CallApi, LaunchBrowser, StartConsole} from './console_process.mjs';
import {Eventually, OpenPage, Screenshot} from './page_helpers.mjs';

let browser;
before(async () => {
  browser = await LaunchBrowser();
});
after(async () => {
  await browser?.close();
});

// The text the console holds for control `id` of the topmost window.
async function ControlText(console, id) {
  const windows = (await CallApi(console, 'GET', '/windows')).json.windows;
  const control = windows.at(-1)?.controls?.find((c) => c.id === id);
  return control?.text;
}

// Menu → dialog → OK with no name → warning → fill in → OK → question → Yes → the dialog ends
// and the snap-in's status text shows the name, colour and choice.
test('a command runs a dialog that message boxes keep open until it is complete', async () => {
  const console = await StartConsole();
  try {
    const {page, context, errors} = await OpenPage(browser, console);
    await page.click('#scope-tree .tree-label >> text=Message');
    await page.click('#scope-tree .tree-label >> text=Message', {button: 'right'});
    await page.waitForSelector('.menu');
    const texts = await page.$$eval('.menu .menu-item', (items) => items.map((i) => i.textContent));
    assert.deepEqual(texts, ['Ask for a name...', 'New Window from Here']);
    await page.click('.menu .menu-item >> text=Ask for a name...');

    const dialog = page.locator('section.window-dialog');
    await dialog.waitFor();
    assert.equal(await dialog.locator('h2').textContent(), 'Ask for a name');
    assert.equal(await page.evaluate(() => document.getElementById('frame').inert), true);
    const name = page.getByRole('textbox', {name: 'Name'});
    assert.equal(await name.inputValue(), '');
    const colour = page.getByRole('combobox', {name: 'Colour'});
    assert.equal(await colour.inputValue(), 'Red');
    await Screenshot(page, 'dialog-ask');

    // OK without a name: the warning, and the dialog stays.
    await dialog.locator('button.default').click();
    const box = page.locator('section.window-messagebox');
    await box.waitFor();
    assert.equal(await box.locator('h2').textContent(), 'Ask for a name');
    assert.equal(await box.locator('.messagebox-text').textContent(), 'Please enter a name.');
    assert.match(await box.locator('.mb-icon').getAttribute('class'), /\bicon-warning\b/);
    assert.deepEqual(await box.locator('.window-buttons button').allTextContents(), ['OK']);
    await Screenshot(page, 'dialog-ask-warning');
    await box.locator('button[data-button="ok"]').click();
    await box.waitFor({state: 'detached'});
    assert.equal(await dialog.isVisible(), true);

    // Filled in; the console holds what the page shows before OK is pressed.
    await name.fill('Zed');
    await colour.selectOption('Green');
    // The check box shows the console's state, which follows the click once it answers.
    const remember = page.getByRole('checkbox', {name: 'Remember the name'});
    await remember.click();
    await Eventually(async () => assert.equal(await remember.isChecked(), true));
    await Eventually(async () => assert.equal(await ControlText(console, 1011), 'Zed'));
    await dialog.locator('button.default').click();
    await box.waitFor();
    assert.equal(await box.locator('.messagebox-text').textContent(),
                 'Remember the name "Zed" for next time?');
    assert.match(await box.locator('.mb-icon').getAttribute('class'), /\bicon-question\b/);
    // No keeps the dialog; Enter on it asks again, and Yes ends it.
    await box.locator('button[data-button="no"]').click();
    await box.waitFor({state: 'detached'});
    assert.equal(await dialog.isVisible(), true);
    await dialog.locator('button.default').click();
    await box.waitFor();
    await box.locator('button[data-button="yes"]').click();
    await dialog.waitFor({state: 'detached'});
    assert.equal(await page.evaluate(() => document.getElementById('frame').inert), false);
    await Eventually(async () => assert.equal(await page.textContent('#status-text'),
                                              'Name Zed, colour Green, remembered'));
    assert.deepEqual((await CallApi(console, 'GET', '/windows')).json.windows, []);
    assert.deepEqual(errors, []);
    await context.close();
  } finally {
    const ended = await console.Stop();
    assert.deepEqual(ended, {code: 0, signal: null}, console.stderr());
  }
});
