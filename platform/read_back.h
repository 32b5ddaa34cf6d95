// Reading a finished temporary back before it gets its name: the system first made to write
// it out, then a second handle that reads what the device holds, where the host lets a read
// bypass its cache.
#pragma once
#include <cstdint>
#include <cstdio>

// Makes the system write out everything written through the stream, its buffer first
// (FlushFileBuffers, fsync). False when a write failed or the system refused.
bool flush_written_file(FILE* stream);

// Where a read-back's bytes come from: the device, or the system's cache where an unbuffered
// open was refused (Wine takes the flag and ignores it: its reads come from the page cache).
enum class read_back_source { device, cache };

struct read_back_file;  // owned by the backend

// Opens a file for reading while its writer still holds it open: sharing reading, writing and
// deletion, so that the writer may still rename or delete it. Unbuffered where the host
// allows, else through the cache; *source says which. Null when it cannot be opened at all.
// Unbuffered, each read needs a buffer at a sector boundary and a length of whole sectors
// (engine/read_back_sizes.h gives both), and the file's end may come inside the last one.
read_back_file* read_back_open(const char* path, read_back_source* source);
// Reads up to size bytes from where the last read ended: the bytes read, fewer than size only
// at the file's end (0 there), or -1 on failure.
int32_t read_back_read(read_back_file* file, uint8_t* buffer, int32_t size);
void read_back_close(read_back_file* file);
