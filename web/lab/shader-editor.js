// The shader editor: the files the program reads from shader/glsl/, each in CodeMirror with its
// own undo history. Once typing pauses, an edit is written where the program reads it and the
// program reloads, as the desktop does for a saved file; the compiler's messages mark their
// lines while the last good programs keep drawing.
'use strict';

// Typing pauses this long before an edit is compiled: a compile costs about a frame.
const EDIT_PAUSE_MS = 400;
// A compiler message's file and line, as the program names them: "shader/glsl/fur.frag:12"
// (Mesa, ANGLE) or "shader/glsl/fur.frag(12)" (NVIDIA).
const MESSAGE_PLACE = /shader\/glsl\/([\w.-]+)[:(](\d+)/;
const FIRST_FILE = 'fur.frag';  // the one a reader most likely came for

class ShaderEditor {
  constructor() {
    this.names = Module.FS.readdir(Lab.SHADER_FOLDER).filter(name => !name.startsWith('.')).sort();
    this.shipped = {};
    this.docs = {};
    this.buttons = {};
    this.pending = new Set();
    this.markedLines = [];  // [doc, line handle]
    this.reloads = 0;       // for whoever watches the page (its test does)
    this.messages = document.getElementById('shader-messages');
    const host = document.getElementById('shader-text');
    host.textContent = '';
    this.editor = CodeMirror(host, {lineNumbers: true, lineWrapping: true, theme: 'material-darker', indentUnit: 4,
                                    gutters: ['shader-errors', 'CodeMirror-linenumbers']});
    for (const name of this.names) this.addFile(name);
    this.revertButton = document.getElementById('revert');
    this.revertButton.addEventListener('click', () => this.setText(this.current, this.shipped[this.current]));
    this.open(this.names.includes(FIRST_FILE) ? FIRST_FILE : this.names[0]);
  }

  addFile(name) {
    const text = Module.FS.readFile(Lab.SHADER_FOLDER + name, {encoding: 'utf8'});
    this.shipped[name] = text;
    this.docs[name] = CodeMirror.Doc(text, name.endsWith('.frag') ? 'x-shader/x-fragment' : 'x-shader/x-vertex');
    this.docs[name].on('change', () => this.edited(name));
    const item = document.createElement('li');
    const button = item.appendChild(document.createElement('button'));
    button.type = 'button';
    button.textContent = name;
    button.addEventListener('click', () => this.open(name));
    this.buttons[name] = button;
    document.getElementById('shader-files').appendChild(item);
  }

  has(name) {
    return Object.prototype.hasOwnProperty.call(this.docs, name);
  }

  text(name) {
    return this.docs[name].getValue();
  }

  setText(name, text) {
    if (this.text(name) != text) this.docs[name].setValue(text);
  }

  editedNames() {
    return this.names.filter(name => this.text(name) != this.shipped[name]);
  }

  open(name) {
    this.current = name;
    this.editor.swapDoc(this.docs[name]);
    for (const other of this.names) this.buttons[other].setAttribute('aria-current', String(other == name));
    this.showChanged(name);
  }

  edited(name) {
    this.pending.add(name);
    this.showChanged(name);
    clearTimeout(this.writeTimer);
    this.writeTimer = setTimeout(() => this.write(), EDIT_PAUSE_MS);
  }

  // Without waiting for a pause in typing, and reloading even when nothing is pending: what a
  // link restores shows at once.
  writeNow() {
    clearTimeout(this.writeTimer);
    this.write();
  }

  // The edited files written where the program reads them, then one reload for them all.
  write() {
    for (const name of this.pending) Module.FS.writeFile(Lab.SHADER_FOLDER + name, this.text(name));
    this.pending.clear();
    this.showErrors(Lab.call('fuzzletsShadersWritten'));
    this.reloads++;
  }

  showChanged(name) {
    const changed = this.text(name) != this.shipped[name];
    this.buttons[name].classList.toggle('changed', changed);
    if (name != this.current) return;
    this.revertButton.disabled = !changed;
    this.revertButton.textContent = 'revert ' + name;
  }

  // Each message on its file's line, in the gutter and as a marked line; the files that failed
  // marked in the list; the messages themselves under the editor.
  showErrors(messages) {
    for (const [doc, handle] of this.markedLines) doc.removeLineClass(handle, 'background', 'shader-error-line');
    this.markedLines = [];
    for (const name of this.names) {
      this.docs[name].clearGutter('shader-errors');
      this.buttons[name].classList.remove('failed');
    }
    this.messages.textContent = '';
    for (const message of messages.split('\n').filter(Boolean)) {
      const shown = this.messages.appendChild(document.createElement('div'));
      shown.textContent = message;
      const place = MESSAGE_PLACE.exec(message);
      if (!place || !this.has(place[1])) continue;
      const name = place[1], doc = this.docs[name];
      const line = Math.max(0, Math.min(Number(place[2]), doc.lineCount()) - 1);
      this.markedLines.push([doc, doc.addLineClass(line, 'background', 'shader-error-line')]);
      const mark = document.createElement('span');
      mark.className = 'shader-error-mark';
      mark.textContent = '\u25cf';
      mark.title = message;
      doc.setGutterMarker(line, 'shader-errors', mark);
      this.buttons[name].classList.add('failed');
      shown.className = 'shader-message-place';
      shown.addEventListener('click', () => this.showLine(name, line));
    }
  }

  showLine(name, line) {
    this.open(name);
    this.editor.setCursor({line: line, ch: 0});
    this.editor.scrollIntoView({line: line, ch: 0}, 80);
    this.editor.focus();
  }
}
