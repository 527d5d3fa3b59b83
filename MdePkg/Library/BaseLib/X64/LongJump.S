// LongJump (JumpBuffer in RCX, Value in RDX): restores the context that SetJump saved in the
// JUMP_CONTEXT (layout in SetJump.S) and resumes at its return address, where SetJump then
// returns Value. It never returns.
    .intel_syntax noprefix
    .text
    .globl LongJump
LongJump:
    push    rdx
    push    rcx
    sub     rsp, 0x28                  // home space, and the stack 16-aligned at each call
    call    CheckJumpBuffer
    mov     rcx, [rsp + 0x30]
    call    CheckLongJumpValue
    add     rsp, 0x28
    pop     rcx
    pop     rdx

    mov     rbx, [rcx + 0]
    mov     rsp, [rcx + 8]
    mov     rbp, [rcx + 16]
    mov     rdi, [rcx + 24]
    mov     rsi, [rcx + 32]
    mov     r12, [rcx + 40]
    mov     r13, [rcx + 48]
    mov     r14, [rcx + 56]
    mov     r15, [rcx + 64]
    ldmxcsr [rcx + 80]
    movdqu  xmm6, [rcx + 88]
    movdqu  xmm7, [rcx + 104]
    movdqu  xmm8, [rcx + 120]
    movdqu  xmm9, [rcx + 136]
    movdqu  xmm10, [rcx + 152]
    movdqu  xmm11, [rcx + 168]
    movdqu  xmm12, [rcx + 184]
    movdqu  xmm13, [rcx + 200]
    movdqu  xmm14, [rcx + 216]
    movdqu  xmm15, [rcx + 232]
    mov     rax, rdx
    jmp     qword ptr [rcx + 72]

#ifdef __ELF__
    .section .note.GNU-stack, "", @progbits
#endif
