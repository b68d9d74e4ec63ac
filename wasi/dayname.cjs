// Runs dayname's WebAssembly download under Node's WASI, on Node 18 or newer:
//   node dayname.cjs dayname-VERSION-wasm32-wasi.wasm
// The program has the process's standard input and output, and its status.
// A module that cannot be started gets one line on standard error and status
// 127 (no such file) or 126 (any other cause), as a shell gives for a program.
"use strict";
// SIGUSR1 would open Node's debugger to anyone on this machine. A listener
// takes the signal from Node, and removing it leaves the default, which ends
// the process as it ends a native program.
const ignored = () => {};
process.on("SIGUSR1", ignored).off("SIGUSR1", ignored);
// Node's WASI calls, taken by V8's fast path, let the garbage collector free
// the WASI object during a read once the program's memory has grown: the
// slow path is safe.
require("node:v8").setFlagsFromString("--no-turbo-fast-api-calls");
// Nothing of Node's own reaches standard error, not even the warning that
// WASI is experimental.
process.emitWarning = () => {};
const { WASI } = require("node:wasi");
const { closeSync, readFileSync, writeSync } = require("node:fs");

// One line on standard error, and the status that a shell gives where it cannot run a program.
function cannotRun(status, cause) {
    writeSync(2, `dayname.cjs: ${cause}\n`);
    process.exit(status);
}

const path = process.argv[2];
if (!path) {
    cannotRun(127, "name the module: node dayname.cjs dayname-VERSION-wasm32-wasi.wasm");
}
// returnOnExit, the default from Node 20 on: the program's exit returns here, where
// the closes below run.
const wasi = new WASI({ version: "preview1", args: ["dayname"], env: {}, returnOnExit: true });
let instance;
try {
    const module = new WebAssembly.Module(readFileSync(path));
    instance = new WebAssembly.Instance(module, { wasi_snapshot_preview1: wasi.wasiImport });
} catch (error) {
    cannotRun(error.code === "ENOENT" ? 127 : 126, `cannot run ${path}: ${String(error.message).split("\n")[0]}`);
}
try {
    process.exitCode = wasi.start(instance);
} catch (error) {
    // A trap is the program's abort, as when memory runs out: SIGABRT's status.
    if (!(error instanceof WebAssembly.RuntimeError)) {
        throw error;
    }
    process.exitCode = 134;
}
// Node would set a terminal back as it found it, and abort where it has hung
// up; it leaves alone what is closed. The program has done with all three.
for (const fd of [0, 1, 2]) {
    closeSync(fd);
}
