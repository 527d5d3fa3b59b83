// uint64_t emu_call_on_stack(void *function, uint64_t a0, uint64_t a1, uint64_t a2,
//                            uint64_t a3, uint64_t stack_top)
//
// Calls a Microsoft x64 function with four arguments on the emulator's own stack. SysV
// brings them in rdi (function), rsi, rdx, rcx, r8 and r9 (stack top); the callee wants
// rcx, rdx, r8, r9 and 32 bytes of shadow space above its return address. rbp keeps the
// host stack: the callee preserves it under both conventions. A fault leaves through
// siglongjmp, which restores the host stack itself.
    .text
    .globl emu_call_on_stack
    .type emu_call_on_stack, @function
emu_call_on_stack:
    pushq %rbp
    movq %rsp, %rbp
    movq %rdi, %rax
    movq %rcx, %r10
    movq %rsi, %rcx
    movq %r8, %r11
    movq %r10, %r8
    movq %r9, %rsp
    movq %r11, %r9
    subq $32, %rsp
    callq *%rax
    movq %rbp, %rsp
    popq %rbp
    retq
    .size emu_call_on_stack, .-emu_call_on_stack

    .section .note.GNU-stack,"",@progbits
