// The page only wires its controls to the C++ (the page's functions in web/*.cpp): every set, list,
// text, message, address and picture comes from there. A set is opened as closest_explain opens it.
"use strict";
const $ = id => document.getElementById(id);
const canvas = $("canvas");

const page = {
  call(name, result, ...args) {
    return Module.ccall(name, result, args.map(a => typeof a === "number" ? "number" : "string"), args);
  },
  text: (name, ...args) => page.call(name, "string", ...args),
  number: (name, ...args) => page.call(name, "number", ...args),
  json: (name, ...args) => JSON.parse(page.text(name, ...args)),
  // Bytes (a Uint8Array, which may be large) on the heap, not the stack, handed to a function with
  // their length: a NUL among them is a byte like another.
  bytes(name, bytes) {
    const at = _malloc(Math.max(bytes.length, 1));
    if (!at)
      return false;
    HEAPU8.set(bytes, at);
    page.call(name, null, at, bytes.length);
    _free(at);
    return true;
  },
  words(words) {
    for (const word of words)
      page.bytes("pageWord", new TextEncoder().encode(String(word)));
  },
  // A link's parameters, {name: value}, as the next call takes them.
  parameters(parameters) {
    page.words(Object.entries(parameters).flat());
  },
  // The bytes that --points reads, written into the C++'s room for them. False when memory runs out.
  points(bytes) {
    const at = page.number("pagePointsRoom", bytes.length) >>> 0;
    if (at)
      HEAPU8.set(bytes, at);
    return at !== 0;
  },
  message: what => page.text("pageMessage", what),
};

function showError(message) { $("error").textContent = message; }
