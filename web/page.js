// The page is the host of crout's WebAssembly module (platform/web): standard input comes from
// the terminal, typed a line at a time as at a console, or from the session box as redirected
// input; standard output and error go to the terminal; resul3.doc lives in the page's memory,
// offered as a download whenever the program waits and at its end, and drawn by crout-plot's
// module once it holds the sweep of option 2.
'use strict';

const terminal = new Terminal({ cols: 80, rows: 30, cursorBlink: true, scrollback: 5000 });
const elements = (...ids) => ids.map((id) => document.getElementById(id));
const [stateLine, reportLink, again, picture, pictureImage, sessionBox, runSession] = elements(
  'state', 'report', 'again', 'picture', 'picture-image', 'session', 'run-session');
const encoder = new TextEncoder();

// The files of the program's folder: name -> bytes. They outlast a run, as a folder does.
const files = new Map();
let run = null; // the run going on: its input and open files

// A new run; batch is the whole input, redirected, or null for the terminal's typed lines.
function startRun(batch) {
  terminal.reset();
  again.disabled = true;
  stateLine.textContent = 'crout está en marcha.';
  run = {
    interactive: batch === null,
    input: batch === null ? [] : [encoder.encode(batch)], // bytes not yet read
    ended: batch !== null, // no more input will come
    typed: '', // the terminal's line being typed
    wake: null, // resolves the read that waits for a line
    handles: new Map(), // handle -> { name, position }
    nextHandle: 3,
  };
  startModule(createCrout, { crout: host(run), onExit: (status) => finish(`crout terminó con el estado ${status}.`) })
    .catch((error) => finish(`crout se detuvo: ${error.message || error}`));
  terminal.focus();
}

// A new instance of a module: decoded and compiled once for the page, each run only
// instantiates it. The factory's first run hands its bytes to WebAssembly.instantiate, which
// keeps them, and the module compiled from them, here; later runs are given both.
const compiledModules = new Map(); // factory -> { bytes, module }
function startModule(factory, options) {
  const instantiate = WebAssembly.instantiate;
  WebAssembly.instantiate = async (bytes, imports) => {
    WebAssembly.instantiate = instantiate;
    if (!compiledModules.has(factory))
      compiledModules.set(factory, { bytes, module: await WebAssembly.compile(bytes) });
    const { module } = compiledModules.get(factory);
    return { module, instance: await instantiate(module, imports) };
  };
  const known = compiledModules.get(factory);
  return factory({ print: () => {}, printErr: () => {}, wasmBinary: known && known.bytes, ...options });
}

function finish(message) {
  run.ended = true;
  stateLine.textContent = message;
  again.disabled = false;
  showReport();
}

// Standard input: up to size bytes of what is waiting; a read that finds nothing waits for
// the next line, or finds the end of input.
function takeInput(current, size) {
  if (current.input.length === 0) return new Uint8Array(0);
  const first = current.input[0];
  if (first.length <= size) return current.input.shift();
  current.input[0] = first.subarray(size);
  return first.subarray(0, size);
}

function host(current) {
  return {
    isTerminal: () => current.interactive,
    exists: (name) => files.has(name),
    read(handle, size) {
      if (handle !== 0) {
        const file = current.handles.get(handle);
        const bytes = files.get(file.name).subarray(file.position, file.position + size);
        file.position += bytes.length;
        return bytes;
      }
      showReport();
      if (current.input.length > 0 || current.ended) return takeInput(current, size);
      return new Promise((resolve) => {
        current.wake = () => resolve(takeInput(current, size));
      });
    },
    write(handle, bytes) {
      if (handle === 1 || handle === 2) {
        terminal.write(bytes);
        return null;
      }
      const file = current.handles.get(handle);
      const old = files.get(file.name);
      const end = file.position + bytes.length;
      const grown = new Uint8Array(Math.max(old.length, end));
      grown.set(old);
      grown.set(bytes, file.position);
      files.set(file.name, grown);
      file.position = end;
      return null;
    },
    open(name, access, create) {
      if (create && files.has(name)) return 'EEXIST';
      if (!create && !files.has(name)) return 'ENOENT';
      if (create) files.set(name, new Uint8Array(0));
      const handle = current.nextHandle++;
      current.handles.set(handle, { name, position: 0 });
      return handle;
    },
    cut(handle, length) {
      const file = current.handles.get(handle);
      files.set(file.name, files.get(file.name).slice(0, length));
      return null;
    },
    close(handle) {
      current.handles.delete(handle);
      return null;
    },
  };
}

// A line typed at the terminal goes to the program whole, with its line end; Ctrl-D sends the
// line as it stands, which ends the input when it is empty.
function deliver(text, ended) {
  if (text.length > 0) run.input.push(encoder.encode(text));
  if (ended && text.length === 0) run.ended = true;
  if (run.wake) {
    const wake = run.wake;
    run.wake = null;
    wake();
  }
}

terminal.onData((data) => {
  if (!run || !run.interactive || run.ended) return;
  for (const key of data) {
    if (key === '\r') {
      terminal.write('\r\n');
      deliver(run.typed + '\n', false);
      run.typed = '';
    } else if (key === '\x7f' || key === '\b') {
      if (run.typed.length > 0) {
        run.typed = run.typed.slice(0, -1);
        terminal.write('\b \b');
      }
    } else if (key === '\x04') {
      deliver(run.typed, true);
      run.typed = '';
    } else if (key >= ' ' || key === '\t') {
      run.typed += key;
      terminal.write(key);
    }
  }
});
// Esc leaves the terminal for the page's other controls, which the Tab key cannot reach from
// inside it.
terminal.attachCustomKeyEventHandler((event) => {
  if (event.type === 'keydown' && event.key === 'Escape') {
    (again.disabled ? sessionBox.closest('details').querySelector('summary') : again).focus();
    return false;
  }
  return true;
});

// The report as it stands, as a download; and the sweep's picture once crout-plot can draw it.
let shownReport = null;
let reportUrl = null;
let pictureUrl = null;
function showReport() {
  const report = files.get('resul3.doc');
  if (!report || report === shownReport) return;
  shownReport = report;
  if (reportUrl) URL.revokeObjectURL(reportUrl);
  reportUrl = URL.createObjectURL(new Blob([report], { type: 'application/octet-stream' }));
  reportLink.href = reportUrl;
  reportLink.hidden = false;
  drawPicture(report);
}

async function drawPicture(report) {
  let status = -1;
  const plot = await startModule(createCroutPlot, { noInitialRun: true, onExit: (code) => { status = code; } });
  plot.FS.writeFile('resul3.doc', report);
  try {
    plot.callMain(['resul3.doc', '-o', 'resul3.svg']);
  } catch (error) {
    // An exit unwinds through callMain; the status says how it ended.
  }
  if (status !== 0 || report !== shownReport) return;
  if (pictureUrl) URL.revokeObjectURL(pictureUrl);
  pictureUrl = URL.createObjectURL(new Blob([plot.FS.readFile('resul3.svg')], { type: 'image/svg+xml' }));
  pictureImage.src = pictureUrl;
  picture.hidden = false;
}

again.addEventListener('click', () => startRun(null));
runSession.addEventListener('click', () => startRun(sessionBox.value.replace(/\r\n?/g, '\n')));
terminal.open(document.getElementById('terminal'));
startRun(null);
