#pragma once
// The conversion's hottest loops are compiled twice, for AVX2 and for any x86-64 processor, and
// the faster copy is picked when the program loads. Both give the same bits: the loops have no
// sums whose order the compiler may change, and core is built without fused multiply-add
// (-ffp-contract=off). Clang before 16 names a cloned member function's dispatcher so that
// calls from other files do not link; there the loops are compiled once.

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_ADDRESS__) && \
    !(defined(__clang__) && __clang_major__ < 16)
#define TINTO_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TINTO_VECTOR_CLONES
#endif
