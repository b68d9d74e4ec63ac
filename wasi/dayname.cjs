// SPDX-FileCopyrightText: 2026 The dayname developers
// SPDX-License-Identifier: MIT
// Runs dayname's WebAssembly download under Node's WASI:
//   node dayname.cjs dayname-VERSION-wasm32-wasi.wasm
// The program has the process's standard input and output, and its status.
"use strict";
// Node 20's WASI calls, taken by V8's fast path, let the garbage collector
// free the WASI object during a read once the program's memory has grown,
// and crash the process at its end: the slow path is safe.
require("node:v8").setFlagsFromString("--no-turbo-fast-api-calls");
// Nothing of Node's own may reach the program's standard error, not even
// the warning that WASI is experimental; and a stream that Node opened on a
// terminal would make it non-blocking for the program too.
process.emitWarning = () => {};
const { WASI } = require("node:wasi");
const { closeSync, readFileSync } = require("node:fs");

const wasi = new WASI({ version: "preview1", args: ["dayname"], env: {} });
const program = new WebAssembly.Module(readFileSync(process.argv[2]));
try {
    process.exitCode = wasi.start(new WebAssembly.Instance(program, wasi.getImportObject()));
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
