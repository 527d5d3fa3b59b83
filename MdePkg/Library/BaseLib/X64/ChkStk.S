// __chkstk: the stack probe the compiler calls before it allocates a frame larger than a page,
// with the frame size in RAX. It touches each page from the caller's stack pointer down to
// the end of the new frame, in order, so that no page is skipped; every register but the
// flags is preserved, and RSP is not changed (the caller allocates).
    .intel_syntax noprefix
    .text
    .globl __chkstk
__chkstk:
    push    rcx
    push    rax
    lea     rcx, [rsp + 24]            // the caller's RSP: above our two pushes and the return
1:
    cmp     rax, 0x1000
    jb      2f
    sub     rcx, 0x1000
    test    byte ptr [rcx], 0          // touch one page
    sub     rax, 0x1000
    jmp     1b
2:
    sub     rcx, rax
    test    byte ptr [rcx], 0          // and the last, partial one
    pop     rax
    pop     rcx
    ret

#ifdef __ELF__
    .section .note.GNU-stack, "", @progbits
#endif
