#pragma once
// Row loops written so that the compiler vectorises them at the x86-64 baseline. GCC also builds
// an AVX2 copy of each (twice the bytes per instruction) and the loader picks it on processors
// that have it; other compilers build the plain loop only.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define VELTRANE_WIDE_LOOP __attribute__((target_clones("default", "avx2")))
#define VELTRANE_WIDE_LOOP_NOINLINE __attribute__((target_clones("default", "avx2"), noinline))
#else
#define VELTRANE_WIDE_LOOP
#define VELTRANE_WIDE_LOOP_NOINLINE
#endif
