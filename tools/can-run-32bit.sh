#!/bin/bash
# Exits 0 when this machine's kernel starts 32-bit x86 programs: a five-instruction program that
# only exits is assembled and run. Says nothing; the callers say what follows.
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '.globl _start\n_start:\n movl $1, %%eax\n movl $0, %%ebx\n int $0x80\n' >"$dir/p.s"
as --32 -o "$dir/p.o" "$dir/p.s" 2>/dev/null && ld -m elf_i386 -o "$dir/p" "$dir/p.o" 2>/dev/null || exit 1
"$dir/p" 2>/dev/null
