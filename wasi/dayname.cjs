// Runs dayname's WebAssembly download under Node's WASI, on Node 18 or newer:
//   node dayname.cjs dayname-VERSION-wasm32-wasi.wasm
"use strict";
// SIGUSR1 would open Node's debugger to anyone on this machine; a listener
// added and removed leaves the default, which ends the process.
const ignored = () => {};
process.on("SIGUSR1", ignored).off("SIGUSR1", ignored);
// V8's fast path into Node's WASI lets the garbage collector free the WASI
// object during a read once the program's memory has grown.
require("node:v8").setFlagsFromString("--no-turbo-fast-api-calls");
// Not even the warning that WASI is experimental reaches standard error.
process.emitWarning = () => {};
const { WASI } = require("node:wasi");
const { closeSync, readFileSync, writeSync } = require("node:fs");

// One line on standard error, and the status a shell gives where it cannot run a program.
function cannotRun(status, cause) {
    writeSync(2, `dayname.cjs: ${cause}\n`);
    process.exit(status);
}

const path = process.argv[2];
if (!path) {
    cannotRun(127, "name the module: node dayname.cjs dayname-VERSION-wasm32-wasi.wasm");
}
// returnOnExit, Node 20's default: the program's exit returns here, to the closes below.
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
// up, but it leaves alone what is closed.
for (const fd of [0, 1, 2]) {
    closeSync(fd);
}
