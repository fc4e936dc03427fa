// Compiles the test programs' shared precompiled header; it holds no code.
