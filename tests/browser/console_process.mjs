// Starts a pwconsole of its own for a test — on a temporary installation and a free port —
// and the headless browser that looks at it; both leave nothing behind.

import {spawn, spawnSync} from 'node:child_process';
import {mkdirSync, mkdtempSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import path from 'node:path';
import {fileURLToPath} from 'node:url';

import {chromium} from 'playwright-core';

const here = path.dirname(fileURLToPath(import.meta.url));
export const kRoot = path.resolve(here, '../..');
export const kBin = process.env.PW_BIN_DIR || path.join(kRoot, 'build/bin');
export const kArtifacts = process.env.PW_BROWSER_ARTIFACTS ||
                          path.join(kRoot, 'build/browser-artifacts');
const kChromium = process.env.PW_CHROMIUM || '/usr/bin/chromium';

// The host tests' snap-in: lists, menus, a toolbar, a property sheet, a wizard when added.
const kTestSnapin = '{7B1E5A20-3C4D-4E5F-8A9B-0C1D2E3F4A50}';
const kTestSnapinAbout = '{7B1E5A20-3C4D-4E5F-8A9B-0C1D2E3F4A51}';
const kStartTimeoutMs = 20000;
const kStopTimeoutMs = 15000;

function TestRegistry(file) {
  const module = path.join(kBin, 'pwtest_snapin.so');
  writeFileSync(file, [
    'Windows Registry Editor Version 5.00', '',
    `[HKEY_CLASSES_ROOT\\CLSID\\${kTestSnapin}\\InprocServer32]`, `@="${module}"`, '',
    `[HKEY_CLASSES_ROOT\\CLSID\\${kTestSnapinAbout}\\InprocServer32]`, `@="${module}"`, '',
    `[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\MMC\\SnapIns\\${kTestSnapin}]`,
    '"NameString"="Test Snap-in"', `"About"="${kTestSnapinAbout}"`, '',
  ].join('\n'));
}

// A running pwconsole. `snapin`: 'test' (the host tests' snap-in) or 'real' (the Pagewell
// snap-in on a demo installation). Resolves once it printed its address.
export async function StartConsole({snapin = 'test', language, args = []} = {}) {
  const dir = mkdtempSync(path.join(tmpdir(), 'pw-browser-'));
  const home = path.join(dir, 'home');
  mkdirSync(home);
  const registry = path.join(dir, 'registry.reg');
  const env = {...process.env, HOME: home, XDG_DATA_HOME: path.join(home, '.local/share'),
               XDG_CONFIG_HOME: path.join(home, '.config'), PAGEWELL_REGISTRY: registry};
  const argv = ['--registry', registry];
  if (snapin === 'test') {
    TestRegistry(registry);
    env.PW_TEST_SNAPIN_REAL_PAGES = '1';
    argv.push('--snapin', kTestSnapin);
  } else {
    const setup = spawnSync(path.join(kBin, 'pwsetup'),
                            ['--demo', path.join(dir, 'server'), '--registry', registry],
                            {env, encoding: 'utf8', timeout: 60000});
    if (setup.status !== 0) {
      rmSync(dir, {recursive: true, force: true});
      throw new Error(`pwsetup failed (${setup.status}): ${setup.stderr}`);
    }
  }
  if (language) argv.push('--language', language);
  argv.push(...args);
  const child = spawn(path.join(kBin, 'pwconsole'), argv,
                      {env, cwd: dir, stdio: ['ignore', 'pipe', 'pipe']});
  let stdout = '';
  let stderr = '';
  child.stderr.on('data', (chunk) => {
    stderr += chunk;
  });
  const exited = new Promise((resolve) => child.on('exit', (code, signal) => resolve({code, signal})));
  const url = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`pwconsole printed no address: ${stderr}`)),
                             kStartTimeoutMs);
    child.stdout.on('data', (chunk) => {
      stdout += chunk;
      const match = /^PWCONSOLE_URL=(\S+)$/m.exec(stdout);
      if (match) {
        clearTimeout(timer);
        resolve(match[1]);
      }
    });
    exited.then(({code}) => {
      clearTimeout(timer);
      reject(new Error(`pwconsole ended with ${code}: ${stderr}`));
    });
  }).catch(async (error) => {
    child.kill('SIGKILL');
    await exited;
    rmSync(dir, {recursive: true, force: true});
    throw error;
  });
  const parsed = new URL(url);
  return {
    url, dir, token: parsed.searchParams.get('token'), origin: parsed.origin,
    stderr: () => stderr,
    // Ends the console as a person would (SIGTERM), waits for it, and removes its files.
    async Stop() {
      let result = {code: child.exitCode, signal: child.signalCode};
      if (child.exitCode === null && child.signalCode === null) {
        child.kill('SIGTERM');
        const timer = setTimeout(() => child.kill('SIGKILL'), kStopTimeoutMs);
        result = await exited;
        clearTimeout(timer);
      }
      rmSync(dir, {recursive: true, force: true});
      return result;
    },
  };
}

// The headless Chromium of the system.
export function LaunchBrowser() {
  return chromium.launch({executablePath: kChromium, headless: true,
                          args: ['--no-sandbox', '--disable-gpu', '--lang=en-US']});
}

// A call of the automation API with the bearer token, as a script makes it.
export async function CallApi(console, method, route, body) {
  const init = {method, headers: {Authorization: `Bearer ${console.token}`}};
  if (body !== undefined) {
    init.headers['Content-Type'] = 'application/json';
    init.body = typeof body === 'string' ? body : JSON.stringify(body);
  }
  const answer = await fetch(`${console.origin}/api/v1${route}`, init);
  const text = await answer.text();
  let json = null;
  try {
    json = JSON.parse(text);
  } catch {
    json = null;
  }
  return {status: answer.status, json, text};
}
