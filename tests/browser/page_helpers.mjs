// What the browser tests share: opening the console's page, waiting for the page to settle
// within a bound, accessibility checks with axe-core, and screenshots kept as artefacts.

import {mkdirSync, readFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import path from 'node:path';

import {kArtifacts} from './console_process.mjs';

const require = createRequire(import.meta.url);
const kAxeSource = readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
export const kWaitMs = 10000;

// A page showing `console` (at `url`, by default the printed address with the token), in
// `context` or a browser context of its own, once the page reports it is ready; `prepare`
// runs on the page before it loads. `errors` collects script errors of the page: a test ends by
// asserting there were none.
export async function OpenPage(browser, console,
                               {viewport, colorScheme, context, url, prepare} = {}) {
  const owner = context || await browser.newContext({
    viewport: viewport || {width: 1280, height: 800}, colorScheme: colorScheme || 'light',
    locale: 'en-US'});
  const page = await owner.newPage();
  page.setDefaultTimeout(kWaitMs);
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  // The page must keep to the console's Content-Security-Policy: a refusal is an error.
  page.on('console', (message) => {
    if (message.type() === 'error' && /Content Security Policy/i.test(message.text())) {
      errors.push(message.text());
    }
  });
  if (prepare) await prepare(page);
  await page.goto(url || console.url);
  await page.waitForSelector('#frame[aria-busy="false"]');
  return {context: owner, page, errors};
}

// Retries `check` (which throws while the page is not there yet) until it passes or the
// bound runs out; the last failure is what the test reports.
export async function Eventually(check, timeoutMs = kWaitMs) {
  const deadline = Date.now() + timeoutMs;
  for (;;) {
    try {
      return await check();
    } catch (error) {
      if (Date.now() > deadline) throw error;
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }
}

// The names of the tree's nodes, top to bottom, as a person sees them.
export function TreeNames(page) {
  return page.$$eval('#scope-tree li[role="treeitem"] > .tree-row .tree-label',
                     (labels) => labels.map((label) => label.textContent));
}

// The texts of the result list's rows in sight: one array of cell texts per row.
export function GridRows(page) {
  return page.$$eval('#result-grid .grid-row', (rows) => rows
      .sort((a, b) => Number(a.getAttribute('aria-rowindex')) -
                      Number(b.getAttribute('aria-rowindex')))
      .map((row) => [...row.querySelectorAll('.grid-cell')].map((cell) => cell.textContent)));
}

// The serious and critical accessibility violations axe-core finds on the page now, as
// "rule: target" lines (empty when there are none).
export async function AxeViolations(page) {
  await page.evaluate(kAxeSource);
  const result = await page.evaluate(async () => {
    // eslint-disable-next-line no-undef
    const answer = await axe.run(document, {resultTypes: ['violations']});
    return answer.violations.map((v) => ({id: v.id, impact: v.impact,
                                          targets: v.nodes.map((n) => n.target.join(' '))}));
  });
  return result.filter((v) => v.impact === 'serious' || v.impact === 'critical')
      .map((v) => `${v.id}: ${v.targets.join(', ')}`);
}

// Saves a screenshot under build/browser-artifacts (never compared; kept for people).
export async function Screenshot(page, name) {
  mkdirSync(kArtifacts, {recursive: true});
  await page.screenshot({path: path.join(kArtifacts, `${name}.png`), fullPage: false});
}
