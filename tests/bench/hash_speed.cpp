// The content hash's speed in the product's own build: one copy buffer of bytes hashed again and
// again, as a verified copy hashes each chunk it reads and each chunk it reads back.
//
//   hash_speed.exe [MIB]   (default 4096 MiB hashed; prints bytes_per_second=N and seconds=S)
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/content_hash.h"
#include "engine/job_data.h"

int main(int argc, char** argv) {
  const uint64_t mib = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 4096;
  std::vector<unsigned char> buffer(copy_buffer_size);
  uint32_t state = 12345;  // any bytes: the hash takes the same time over all of them
  for (unsigned char& byte : buffer)
    byte = static_cast<unsigned char>((state = state * 1103515245 + 12345) >> 24);
  const uint64_t total = mib * 1048576;
  static content_hash hash;
  content_hash_start(hash);
  LARGE_INTEGER ticks_per_second, start, end;
  QueryPerformanceFrequency(&ticks_per_second);
  QueryPerformanceCounter(&start);
  for (uint64_t done = 0; done < total; done += buffer.size())
    content_hash_add(hash, buffer.data(), buffer.size());
  const content_digest digest = content_hash_finish(hash);
  QueryPerformanceCounter(&end);
  const double seconds =
      static_cast<double>(end.QuadPart - start.QuadPart) / ticks_per_second.QuadPart;
  const uint64_t hashed = (total + buffer.size() - 1) / buffer.size() * buffer.size();
  std::printf("bytes_per_second=%.0f\nseconds=%.3f\ndigest=%016llx%016llx\n", hashed / seconds,
              seconds, static_cast<unsigned long long>(digest.high),
              static_cast<unsigned long long>(digest.low));
  return 0;
}
