# String measurement.
vorq_module_sources(AsciiStrLength.cpp AsciiStrSize.cpp StrLength.cpp StrSize.cpp)
# String compare, unaligned loads, 64-by-32 arithmetic and processor controls.
vorq_module_sources(AsciiStrCompare.cpp Unaligned.cpp Math64.cpp MulU64x32.cpp DivU64x32Remainder.cpp ReadTimeStampCounter.cpp SpinPause.cpp BreakToDebugger.cpp HaltForever.cpp)
# The jump context: SetJump and LongJump in assembly, with their argument checks.
vorq_module_sources(JumpBufferChecks.cpp X64/SetJump.S X64/LongJump.S)
# The stack probe that compiler-generated code calls for frames larger than a page.
vorq_module_sources(X64/ChkStk.S)
