// Throughput of the program's MD2 and of GNU Nettle's on the same 16 MiB,
// alternating runs, medians and their ratio. Prints figures; asserts nothing.
#include <nettle/md2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "messenger/md2_digest.h"
#include "bench_timing.h"

namespace {

using bench::Median;
using bench::Seconds;

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  const size_t size = 16u << 20;
  std::vector<uint8_t> data(size);
  uint32_t seed = 1;
  for (auto& b : data) {
    seed = seed * 1664525u + 1013904223u;
    b = static_cast<uint8_t>(seed >> 24);
  }
  std::vector<double> ours, nettle;
  volatile uint8_t sink = 0;  // keeps both digests from being optimised away
  for (int r = 0; r < runs; ++r) {
    ours.push_back(Seconds([&] {
      plakato::MemoryStream stream(data);
      plakato::Md2Hash hash;
      sink = sink + static_cast<uint8_t>(hash.HashStream(stream)[0]);
    }));
    nettle.push_back(Seconds([&] {
      md2_ctx ctx;
      md2_init(&ctx);
      md2_update(&ctx, data.size(), data.data());
      uint8_t digest[MD2_DIGEST_SIZE];
      md2_digest(&ctx, sizeof digest, digest);
      sink = sink + digest[0];
    }));
  }
  double mb = static_cast<double>(size) / 1e6;
  double oursRate = mb / Median(ours), nettleRate = mb / Median(nettle);
  std::printf("md2 on 16 MiB, median of %d alternating runs: plakato %.2f MB/s, nettle %.2f MB/s\n", runs, oursRate,
              nettleRate);
  std::printf("md2 throughput ratio plakato/nettle: %.3f\n", oursRate / nettleRate);
  return 0;
}
