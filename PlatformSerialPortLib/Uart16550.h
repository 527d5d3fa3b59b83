// A 16550-compatible UART: register offsets from its base (one byte apart, as I/O ports or as
// memory-mapped bytes) and the bits the console uses.
#pragma once
#include "Base.h"

constexpr UINTN UART_THR = 0;  // write: transmit holding register
constexpr UINTN UART_DLL = 0;  // with LCR_DLAB: divisor latch, low byte
constexpr UINTN UART_DLM = 1;  // with LCR_DLAB: divisor latch, high byte
constexpr UINTN UART_IIR = 2;  // read: interrupt identification
constexpr UINTN UART_FCR = 2;  // write: FIFO control
constexpr UINTN UART_LCR = 3;  // line control
constexpr UINTN UART_MCR = 4;  // modem control
constexpr UINTN UART_LSR = 5;  // line status
constexpr UINTN UART_MSR = 6;  // modem status

constexpr UINT8 LCR_DLAB = 0x80;         // opens the divisor latch at offsets 0 and 1
constexpr UINT8 LCR_FORMAT_MASK = 0x3F;  // word length, stop bits, parity, break

constexpr UINT8 FCR_FIFO_ENABLE = 0x01;
constexpr UINT8 FCR_CLEAR_RECEIVE = 0x02;
constexpr UINT8 FCR_CLEAR_TRANSMIT = 0x04;
constexpr UINT8 FCR_64_BYTE_FIFO = 0x20;
// The FIFO control bits the console writes; the receive trigger level is left at 0.
constexpr UINT8 FCR_WRITE_MASK = FCR_FIFO_ENABLE | FCR_CLEAR_RECEIVE | FCR_CLEAR_TRANSMIT | FCR_64_BYTE_FIFO;

constexpr UINT8 IIR_FIFOS_ENABLED = 0xC0;  // both clear: the UART runs without FIFOs
// The identification bits compared with the same bits of the wanted FIFO control value when
// the console decides whether the UART is already programmed.
constexpr UINT8 IIR_PROGRAMMED_MASK = FCR_FIFO_ENABLE | FCR_64_BYTE_FIFO;

constexpr UINT8 MCR_CLEAR = 0x00;  // no DTR, no RTS, no loopback, interrupts not routed

constexpr UINT8 LSR_TEMT = 0x40;  // transmitter and FIFO empty

constexpr UINT8 MSR_CTS = 0x10;  // clear to send
constexpr UINT8 MSR_DSR = 0x20;  // data set ready

// Bytes sent after one wait for an empty transmitter.
constexpr UINTN UART_BURST_NO_FIFO = 1;
constexpr UINTN UART_BURST_FIFO_16 = 16;
constexpr UINTN UART_BURST_FIFO_64 = 64;

// The baud rate of divisor 1 (the 1.8432 MHz UART clock over 16); divisor = this / baud rate.
constexpr UINT32 UART_MAX_BAUD_RATE = 115200;
