// SetJump (JumpBuffer in RCX): saves the registers a called routine preserves under the
// firmware's x86-64 convention, the stack pointer as it is after the return, the return
// address, MXCSR and XMM6 to XMM15 into the JUMP_CONTEXT, then returns 0.
//
//   offset  0 RBX    8 RSP   16 RBP   24 RDI   32 RSI   40 R12   48 R13   56 R14   64 R15
//          72 RIP   80 MXCSR (low 32 bits)   88 + 16 * n  XMM(6 + n), n = 0 .. 9
    .intel_syntax noprefix
    .text
    .globl SetJump
SetJump:
    push    rcx
    sub     rsp, 0x20                  // home space of the call; the stack stays 16-aligned
    call    CheckJumpBuffer
    add     rsp, 0x20
    pop     rcx

    mov     rdx, [rsp]                 // the return address
    mov     [rcx + 0], rbx
    lea     rax, [rsp + 8]             // RSP once the return address is removed
    mov     [rcx + 8], rax
    mov     [rcx + 16], rbp
    mov     [rcx + 24], rdi
    mov     [rcx + 32], rsi
    mov     [rcx + 40], r12
    mov     [rcx + 48], r13
    mov     [rcx + 56], r14
    mov     [rcx + 64], r15
    mov     [rcx + 72], rdx
    stmxcsr [rcx + 80]
    movdqu  [rcx + 88], xmm6
    movdqu  [rcx + 104], xmm7
    movdqu  [rcx + 120], xmm8
    movdqu  [rcx + 136], xmm9
    movdqu  [rcx + 152], xmm10
    movdqu  [rcx + 168], xmm11
    movdqu  [rcx + 184], xmm12
    movdqu  [rcx + 200], xmm13
    movdqu  [rcx + 216], xmm14
    movdqu  [rcx + 232], xmm15

    xor     eax, eax
    add     rsp, 8
    jmp     rdx

#ifdef __ELF__
    .section .note.GNU-stack, "", @progbits
#endif
