// Entry stubs for every function member the emulator puts in a table the image calls.
//
// The image calls a member with the Microsoft x64 convention, on the emulator's painted
// stack. Host service code (std::map, printing) would add frames of unknown depth there and
// spoil the stack high-water figure, so each stub moves to a separate host service stack
// first:
//
//   stub N:  eax = N; jmp switch
//   switch:  emu_service_caller = [rsp]         (the image's return address, for reports)
//            emu_service_index = N
//            [top - 8] = rsp; rsp = top - 48    (16-byte aligned, 32 bytes of shadow space)
//            call emu_service_table[N]          (rcx, rdx, r8, r9 untouched: the arguments)
//            rsp = [top - 8]; ret
//
// Only rax, r10 and r11 are used, all volatile and none an argument under that convention.
// Services take at most four arguments, so nothing is read from the image's stack. Services
// never call back into the image, so one service stack is enough.

    .text
    .globl emu_service_switch
    .type emu_service_switch, @function
emu_service_switch:
    movq (%rsp), %r10
    movq %r10, emu_service_caller(%rip)
    movl %eax, emu_service_index(%rip)
    movq emu_service_stack_top(%rip), %r11
    movq %rsp, -8(%r11)
    leaq -48(%r11), %rsp
    leaq emu_service_table(%rip), %r10
    callq *(%r10,%rax,8)
    movq 40(%rsp), %rsp
    retq
    .size emu_service_switch, .-emu_service_switch

    .irp n,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37,38,39,40,41,42,43,44,45,46,47,48,49,50,51,52,53,54,55,56,57,58,59,60,61,62,63,64,65,66,67,68,69,70,71,72,73,74,75,76,77,78,79,80,81,82,83,84,85,86,87,88,89,90,91,92,93,94,95
    .globl emu_service_stub_\n
    .type emu_service_stub_\n, @function
emu_service_stub_\n:
    movl $\n, %eax
    jmp emu_service_switch
    .endr

    .section .data.rel.ro,"aw"
    .globl emu_service_stubs
    .balign 8
emu_service_stubs:
    .irp n,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32,33,34,35,36,37,38,39,40,41,42,43,44,45,46,47,48,49,50,51,52,53,54,55,56,57,58,59,60,61,62,63,64,65,66,67,68,69,70,71,72,73,74,75,76,77,78,79,80,81,82,83,84,85,86,87,88,89,90,91,92,93,94,95
    .quad emu_service_stub_\n
    .endr

    .section .note.GNU-stack,"",@progbits
