// JumpRoundTrip (Context in RDI, Seen in RSI), called from the host's C++ with the System V
// convention: loads known values into every register that SetJump must save (RBX, RBP, RDI,
// RSI, R12 to R15, XMM6 to XMM15, MXCSR), calls SetJump, spoils them all, calls LongJump with
// all bits set, and when SetJump returns the second time stores what the registers then hold
// into Seen: the two SetJump results, then RBX, RBP, RDI, RSI, R12 to R15, MXCSR, and the low
// 64 bits of XMM6 to XMM15 (20 quadwords). The host's own preserved registers are restored.
    .intel_syntax noprefix
    .text
    .globl JumpRoundTrip
JumpRoundTrip:
    push    rbx
    push    rbp
    push    r12
    push    r13
    push    r14
    push    r15
    sub     rsp, 0x38                  // home space, saved Seen and Context, stack 16-aligned
    mov     [rsp + 0x20], rsi
    mov     [rsp + 0x28], rdi
    stmxcsr [rsp + 0x30]               // the host's MXCSR, restored at the end

    mov     rbx, 0x1111111111111111
    mov     rbp, 0x2222222222222222
    mov     r12, 0x5555555555555555
    mov     r13, 0x6666666666666666
    mov     r14, 0x7777777777777777
    mov     r15, 0x7878787878787878
    mov     rax, 0x6060606060606060
    movq    xmm6, rax
    mov     rax, 0x6161616161616161
    movq    xmm7, rax
    mov     rax, 0x6262626262626262
    movq    xmm8, rax
    mov     rax, 0x6363636363636363
    movq    xmm9, rax
    mov     rax, 0x6464646464646464
    movq    xmm10, rax
    mov     rax, 0x6565656565656565
    movq    xmm11, rax
    mov     rax, 0x6666666666666666
    movq    xmm12, rax
    mov     rax, 0x6767676767676767
    movq    xmm13, rax
    mov     rax, 0x6868686868686868
    movq    xmm14, rax
    mov     rax, 0x6969696969696969
    movq    xmm15, rax
    mov     dword ptr [rsp + 0x34], 0x1F80 | 0x6000   // round toward zero
    ldmxcsr [rsp + 0x34]
    mov     rcx, [rsp + 0x28]
    mov     rdi, 0x3333333333333333
    mov     rsi, 0x4444444444444444
    call    SetJump
    mov     rdx, [rsp + 0x20]
    test    rax, rax
    jnz     resumed
    mov     [rdx], rax                 // the first result

    // Spoil everything SetJump saved, then jump back.
    xor     ebx, ebx
    xor     ebp, ebp
    xor     edi, edi
    xor     esi, esi
    xor     r12d, r12d
    xor     r13d, r13d
    xor     r14d, r14d
    xor     r15d, r15d
    pxor    xmm6, xmm6
    pxor    xmm7, xmm7
    pxor    xmm8, xmm8
    pxor    xmm9, xmm9
    pxor    xmm10, xmm10
    pxor    xmm11, xmm11
    pxor    xmm12, xmm12
    pxor    xmm13, xmm13
    pxor    xmm14, xmm14
    pxor    xmm15, xmm15
    mov     dword ptr [rsp + 0x34], 0x1F80
    ldmxcsr [rsp + 0x34]
    mov     rcx, [rsp + 0x28]
    mov     rdx, -1
    call    LongJump

resumed:
    mov     [rdx + 8], rax             // the second result
    mov     [rdx + 16], rbx
    mov     [rdx + 24], rbp
    mov     [rdx + 32], rdi
    mov     [rdx + 40], rsi
    mov     [rdx + 48], r12
    mov     [rdx + 56], r13
    mov     [rdx + 64], r14
    mov     [rdx + 72], r15
    stmxcsr [rdx + 80]
    mov     dword ptr [rdx + 84], 0
    movq    [rdx + 88], xmm6
    movq    [rdx + 96], xmm7
    movq    [rdx + 104], xmm8
    movq    [rdx + 112], xmm9
    movq    [rdx + 120], xmm10
    movq    [rdx + 128], xmm11
    movq    [rdx + 136], xmm12
    movq    [rdx + 144], xmm13
    movq    [rdx + 152], xmm14
    movq    [rdx + 160], xmm15

    ldmxcsr [rsp + 0x30]
    add     rsp, 0x38
    pop     r15
    pop     r14
    pop     r13
    pop     r12
    pop     rbp
    pop     rbx
    ret

    .section .note.GNU-stack, "", @progbits
