// Links that carry what a reader changed: the settings away from their start values and the
// edited shader files, each file as the one stretch of text where it differs from the shipped
// one. The browser's CompressionStream deflates it into the address's fragment, "#lab=...", which
// no server sees. A link is checked whole before any of it is applied: one that does not decode,
// or that names a setting or a file the page does not have, is refused by name.
'use strict';

const LINK_PREFIX = '#lab=';
const LINK_VERSION = 1;

class RefusedLink extends Error {}

// FNV-1a over the text's UTF-16 units: tells an edit made against another version of a file.
function textHash(text) {
  let hash = 0x811c9dc5;
  for (let i = 0; i < text.length; i++) hash = Math.imul(hash ^ text.charCodeAt(i), 0x01000193) >>> 0;
  return hash;
}

// An edit as [the shipped text's hash, where it starts, how much of the shipped text it replaces,
// what it puts there].
function editOf(shipped, edited) {
  const most = Math.min(shipped.length, edited.length);
  let start = 0;
  while (start < most && shipped[start] == edited[start]) start++;
  let end = 0;
  while (end < most - start && shipped[shipped.length - 1 - end] == edited[edited.length - 1 - end]) end++;
  return [textHash(shipped), start, shipped.length - end - start, edited.slice(start, edited.length - end)];
}

function editedText(name, shipped, edit) {
  const [hash, start, replaced, inserted] = Array.isArray(edit) ? edit : [];
  const wellFormed = Number.isInteger(start) && Number.isInteger(replaced) && typeof inserted == 'string' &&
                     start >= 0 && replaced >= 0 && start + replaced <= shipped.length;
  if (!wellFormed) throw new RefusedLink('its edit of ' + name + ' does not decode');
  if (hash !== textHash(shipped)) throw new RefusedLink('it edits another version of ' + name + ' than this page has');
  return shipped.slice(0, start) + inserted + shipped.slice(start + replaced);
}

async function deflated(text) {
  const stream = new Blob([text]).stream().pipeThrough(new CompressionStream('deflate-raw'));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

async function inflated(bytes) {
  const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw'));
  return new Response(stream).text();
}

// base64url: the fragment keeps it as it is, with no escapes.
function base64url(bytes) {
  let binary = '';
  for (const byte of bytes) binary += String.fromCharCode(byte);
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

function bytesOf(code) {
  const binary = atob(code.replace(/-/g, '+').replace(/_/g, '/'));
  return Uint8Array.from(binary, character => character.charCodeAt(0));
}

// The page's address with what the reader changed, or without a fragment when nothing is.
async function shareLink(shaders) {
  const settings = Lab.call('fuzzletsChangedSettings').split('\n').filter(Boolean);
  const files = {};
  for (const name of shaders.editedNames()) files[name] = editOf(shaders.shipped[name], shaders.text(name));
  const page = location.href.replace(/[?#].*$/, '');
  if (!settings.length && !Object.keys(files).length) return page;
  const state = JSON.stringify({version: LINK_VERSION, settings: settings, files: files});
  return page + LINK_PREFIX + base64url(await deflated(state));
}

// The link's state, checked whole: its settings as the program would take them, its files as
// their edited texts. Throws RefusedLink naming what is wrong.
async function readLink(code, shaders) {
  if (!window.DecompressionStream) throw new RefusedLink('this browser has no DecompressionStream to read it');
  let state;
  try {
    state = JSON.parse(await inflated(bytesOf(code)));
  } catch (error) {
    throw new RefusedLink('it does not decode');
  }
  const wellFormed = state && state.version === LINK_VERSION && Array.isArray(state.settings) &&
                     state.settings.every(setting => typeof setting == 'string') &&
                     typeof state.files == 'object' && state.files !== null && !Array.isArray(state.files);
  if (!wellFormed) throw new RefusedLink('it does not decode as a Fuzzlets link');
  for (const setting of state.settings) {
    const problem = Lab.setSetting(setting, false);
    if (problem) throw new RefusedLink(problem);
  }
  const texts = {};
  for (const [name, edit] of Object.entries(state.files)) {
    if (!shaders.has(name)) throw new RefusedLink("no shader file is called '" + name + "'");
    texts[name] = editedText(name, shaders.shipped[name], edit);
  }
  return {settings: state.settings, texts: texts};
}

// Applies the link in the address, if there is one; says what it restored or why it refused.
async function restoreLink(shaders) {
  if (!location.hash.startsWith(LINK_PREFIX)) return;
  let restored;
  try {
    restored = await readLink(location.hash.slice(LINK_PREFIX.length), shaders);
  } catch (error) {
    if (!(error instanceof RefusedLink)) throw error;
    Lab.say('This link was refused, and nothing of it applied: ' + error.message + '.', true);
    return;
  }
  for (const setting of restored.settings) Lab.setSetting(setting, true);
  for (const [name, text] of Object.entries(restored.texts)) shaders.setText(name, text);
  shaders.writeNow();
  const parts = Object.keys(restored.texts).map(name => name + ' edited').concat(restored.settings);
  Lab.say('Restored from the link: ' + (parts.join(', ') || 'the page as it ships') + '.');
}

// The share button: the link in the field beside it, in the address bar, and on the clipboard
// where the browser allows.
function watchShareButton(shaders) {
  const field = document.getElementById('share-link');
  const button = document.getElementById('share');
  button.hidden = !window.CompressionStream;
  button.addEventListener('click', async () => {
    const link = await shareLink(shaders);
    history.replaceState(null, '', link);
    field.value = link;
    field.hidden = false;
    field.select();
    if (navigator.clipboard) navigator.clipboard.writeText(link).catch(() => {});
  });
}
