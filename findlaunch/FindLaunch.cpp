// Started when the library is loaded into a process.
