// A WebAssembly program of this build run under node as a console program: its handles are
// node's own, read and written as the native program reads and writes its own, and its report
// file is a file of the current folder, opened with the same flags; the exit status is the
// program's. The build makes build/web/<program>.mjs from this file for each such program.
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import tty from 'node:tty';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const createModule = createRequire(import.meta.url)(path.join(here, '@MODULE@'));

// A handle that its opener left non-blocking answers EAGAIN until it is ready: wait a little.
const pause = new Int32Array(new SharedArrayBuffer(4));
function retried(call) {
  for (;;) {
    try {
      return call();
    } catch (error) {
      if (error.code !== 'EAGAIN') throw error;
      Atomics.wait(pause, 0, 0, 5);
    }
  }
}

// The result of call, or the code of the system error that failed it.
function attempt(call) {
  try {
    return call();
  } catch (error) {
    return String(error.code);
  }
}

const { O_RDWR, O_RDONLY, O_WRONLY, O_CREAT, O_EXCL } = fs.constants;
const accessFlags = [O_RDWR, O_RDONLY, O_WRONLY]; // platform::Access's order

const host = {
  read(handle, size) {
    const bytes = Buffer.alloc(size);
    try {
      return bytes.subarray(0, retried(() => fs.readSync(handle, bytes, 0, size, null)));
    } catch (error) {
      return error.code === 'EOF' ? bytes.subarray(0, 0) : String(error.code);
    }
  },
  write: (handle, bytes) => attempt(() => {
    for (let done = 0; done < bytes.length;)
      done += retried(() => fs.writeSync(handle, bytes, done, bytes.length - done));
  }),
  isTerminal: (handle) => tty.isatty(handle),
  exists: (name) => fs.existsSync(name),
  open: (name, access, create) => attempt(() => {
    const fd = fs.openSync(name, accessFlags[access] | (create ? O_CREAT | O_EXCL : 0), 0o666);
    if (fs.fstatSync(fd).isDirectory()) {
      fs.closeSync(fd);
      return 'EISDIR';
    }
    return fd;
  }),
  cut: (handle, length) => attempt(() => fs.ftruncateSync(handle, length)),
  close: (handle) => attempt(() => fs.closeSync(handle)),
};

await createModule({
  crout: host,
  arguments: process.argv.slice(2),
  onExit: (status) => { process.exitCode = status; },
});
