#pragma once
// The conversion's hottest loops are compiled twice, for AVX2 and for any x86-64 processor, and
// the faster copy is picked when the program loads. Both give the same bits: the loops have no
// sums whose order the compiler may change, and core is built without fused multiply-add
// (-ffp-contract=off). Only gcc: clang 14 wants the attribute on every declaration of a member
// function and then links callers to a copy it never made.

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && \
    !defined(__SANITIZE_ADDRESS__)
#define TINTO_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TINTO_VECTOR_CLONES
#endif
