// The print engine. One pass over the format: every format character (or every conversion,
// "%" up to its conversion character) yields one text, and the text goes out through
// FillChars with its padding:
//
//   [blanks to Width]  [sign] [zeros to Precision]  digits, with "," every three   (a number)
//   [blanks to Width]  [blanks to Precision]        characters                    (any other text)
//   with "-", the blanks to Width go on the right instead
//
// Precision is first raised to the text's own length, so it is the width of the content.
// Writing stops for good at EndBuffer, the last position, which only the terminator may use.
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"
#include "PrintLibInternal.h"
#include "Uefi/Status.h"

ASSERT_SOURCE("MdePkg/Library/BasePrintLib/PrintLibInternal");

namespace {

// Where the characters go: between Buffer and EndBuffer, or, when counting, nowhere.
struct Output {
  CHAR8 *Buffer;
  CHAR8 *EndBuffer;
  UINTN BytesPerCharacter;
  BOOLEAN CountOnly;
  BOOLEAN CountOpen;  // counting walks the whole format, unless BufferSize is 1
  UINTN Counted;
};

BOOLEAN HasRoom(const Output &Out) {
  if (Out.CountOnly) {
    return Out.CountOpen;
  }
  return Out.Buffer < Out.EndBuffer ? TRUE : FALSE;
}

VOID Put(Output &Out, INTN Count, UINT16 Character) {
  if (Out.CountOnly) {
    if (Count > 0) {
      Out.Counted += (UINTN)Count;
    }
    return;
  }
  Out.Buffer = FillChars(Out.Buffer, Out.EndBuffer, Count, Character, Out.BytesPerCharacter);
}

// A character of a text or of the format, 1 or 2 bytes wide (low byte first). The bytes are
// read one by one, so a 16-bit text need not be aligned.
UINT16 CharacterAt(const UINT8 *Text, UINTN Index, UINTN BytesPerCharacter) {
  if (BytesPerCharacter == 2) {
    return (UINT16)(Text[2 * Index] | (Text[2 * Index + 1] << 8));
  }
  return Text[Index];
}

// The arguments, one 64-bit slot each. A va_list kept in a record can be handed to helpers
// by reference under every calling convention.
struct Arguments {
  va_list Marker;
};

UINT64 NextArgument(Arguments &Args) { return va_arg(Args.Marker, UINT64); }

// One conversion, reset at every format character.
struct Conversion {
  UINTN Flags;
  UINTN Width;
  UINTN Precision;
  UINT16 Sign;         // 0: no sign character
  BOOLEAN Grouping;    // decimal digits in groups of three
  BOOLEAN ZeroFill;    // a number: sign, then zeros up to Precision
  UINTN GroupCounter;  // digits of the first group that are "missing" from a full three
  const UINT8 *Text;   // the text; for a number its most significant digit
  UINTN Count;         // a number: the positions of sign, digits and commas
};

const UINT8 *AsText(const CHAR8 *String) { return (const UINT8 *)String; }

// A one-character text of 16-bit characters.
const UINT8 *SingleCharacter(UINT16 Character, UINT8 *CharacterText) {
  CharacterText[0] = (UINT8)Character;
  CharacterText[1] = (UINT8)(Character >> 8);
  CharacterText[2] = 0;
  CharacterText[3] = 0;
  return CharacterText;
}

// "\n", "\n\r" and "\r\n" become CR LF; a lone "\r" stays CR. Cursor is left on the last
// format character consumed.
const UINT8 *LineEnd(const UINT8 *&Cursor, UINTN BytesPerFormatCharacter) {
  const UINT16 Character = CharacterAt(Cursor, 0, BytesPerFormatCharacter);
  const UINT16 Next = CharacterAt(Cursor, 1, BytesPerFormatCharacter);
  if ((Character == '\n' && Next == '\r') || (Character == '\r' && Next == '\n')) {
    Cursor += BytesPerFormatCharacter;
    return AsText("\r\n");
  }
  return AsText(Character == '\n' ? "\r\n" : "\r");
}

// Reads the flags, width and precision after a "%". Returns the conversion character and
// leaves Cursor on it, or on the NUL when the format ends inside the conversion.
UINT16 ReadConversion(const UINT8 *&Cursor, UINTN BytesPerFormatCharacter, Conversion &State, Arguments &Args) {
  for (;;) {
    Cursor += BytesPerFormatCharacter;
    const UINT16 Character = CharacterAt(Cursor, 0, BytesPerFormatCharacter);
    switch (Character) {
      case ' ':
        State.Flags |= FMT_SPACE;
        continue;
      case '+':
        State.Flags |= FMT_PLUS;
        continue;
      case '-':
        State.Flags |= FMT_LEFT;
        continue;
      case ',':
        State.Flags |= FMT_GROUP;
        continue;
      case '.':
        State.Flags |= FMT_HAS_PRECISION;
        continue;
      case 'l':
      case 'L':
        State.Flags |= FMT_WIDE;
        continue;
      case '\0':
        State.Precision = 0;
        return Character;
      default:
        break;
    }

    UINTN Value;
    if (Character == '*') {
      Value = NextArgument(Args);
    } else if (Character >= '0' && Character <= '9') {
      if (Character == '0' && (State.Flags & FMT_HAS_PRECISION) == 0) {
        State.Flags |= FMT_ZERO;
      }
      // A decimal number takes all following digits, without an overflow test; Cursor stays
      // on its last digit.
      Value = Character - '0';
      for (;;) {
        const UINT16 Next = CharacterAt(Cursor, 1, BytesPerFormatCharacter);
        if (Next < '0' || Next > '9') {
          break;
        }
        Cursor += BytesPerFormatCharacter;
        Value = Value * 10 + (Next - '0');
      }
    } else {
      return Character;
    }

    // A later width or precision replaces an earlier one.
    if ((State.Flags & FMT_HAS_PRECISION) != 0) {
      State.Precision = Value;
    } else {
      State.Width = Value;
      State.Flags |= FMT_HAS_WIDTH;
    }
  }
}

// %d, %x, %X, %p: the digits into Scratch, then the positions and padding of the field.
VOID NumberText(UINT16 ConversionCharacter, Conversion &State, Arguments &Args, CHAR8 *Scratch) {
  if (ConversionCharacter == 'X') {
    State.Flags |= FMT_ZERO;
  } else if (ConversionCharacter == 'p') {
    State.Flags |= FMT_WIDE | FMT_ZERO;
    State.Flags &= ~(UINTN)(FMT_PLUS | FMT_SPACE);
  }
  UINT64 Value = NextArgument(Args);
  if ((State.Flags & FMT_SPACE) != 0) {
    State.Sign = ' ';
  }
  if ((State.Flags & FMT_PLUS) != 0) {
    State.Sign = '+';
  }

  UINT32 Radix;
  if (ConversionCharacter == 'd') {
    Radix = 10;
    if ((State.Flags & FMT_GROUP) != 0) {
      State.Flags &= ~(UINTN)FMT_ZERO;
      State.Precision = 1;
      State.Grouping = TRUE;
    }
    const INT64 Signed = (State.Flags & FMT_WIDE) != 0 ? (INT64)Value : (INT64)(INT32)(UINT32)Value;
    Value = (UINT64)Signed;
    if (Signed < 0) {
      State.Flags |= FMT_PLUS;
      State.Sign = '-';
      Value = 0 - Value;  // the most negative value keeps its unsigned magnitude
    }
  } else {
    State.Flags |= FMT_HEX;
    Radix = 16;
    if ((State.Flags & FMT_WIDE) == 0) {
      Value = (UINT32)Value;
    }
  }

  const CHAR8 *Top = ValueToDigits(Scratch, Value, Radix);
  UINTN Count = (UINTN)(Top - Scratch);
  if (Value == 0 && State.Precision == 0) {
    Count = 0;
  }
  State.GroupCounter = Count % 3 == 0 ? 0 : 3 - Count % 3;
  if (State.Grouping && Count > 0) {
    Count += (Count - 1) / 3;
  }
  if (State.Sign != 0) {
    Count++;
    State.Precision++;
  }
  State.Flags |= FMT_REVERSED;
  State.ZeroFill = TRUE;
  if ((State.Flags & (FMT_ZERO | FMT_LEFT | FMT_HAS_WIDTH | FMT_HAS_PRECISION)) == (FMT_ZERO | FMT_HAS_WIDTH)) {
    State.Precision = State.Width;
  }
  State.Text = (const UINT8 *)Top;
  State.Count = Count;
}

// %r: the name of the status, else its low 32 bits in hexadecimal.
const UINT8 *StatusText(EFI_STATUS Status, CHAR8 *Scratch) {
  if ((Status & EFI_ERROR_BIT) != 0) {
    const UINT64 Code = Status & ~EFI_ERROR_BIT;
    if (Code >= 1 && Code <= STATUS_NAME_ERROR_LAST) {
      return AsText(StatusNameTable[STATUS_NAME_WARNING_LAST + Code]);
    }
  } else if (Status <= STATUS_NAME_WARNING_LAST) {
    return AsText(StatusNameTable[Status]);
  }
  FormatNested(Scratch, FMT_SCRATCH_SIZE, 0, "%08X", (UINT64)Status);
  return AsText(Scratch);
}

// %g: 8-4-4-4-12 upper-case hexadecimal digits of the little-endian fields.
const UINT8 *GuidText(const UINT8 *Guid, CHAR8 *Scratch) {
  if (Guid == NULL) {
    return AsText("<null guid>");
  }
  FormatNested(Scratch, FMT_SCRATCH_SIZE, 0, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x",
               (UINT64)LoadUnaligned32(Guid), (UINT64)LoadUnaligned16(Guid + 4), (UINT64)LoadUnaligned16(Guid + 6),
               (UINT64)Guid[8], (UINT64)Guid[9], (UINT64)Guid[10], (UINT64)Guid[11], (UINT64)Guid[12],
               (UINT64)Guid[13], (UINT64)Guid[14], (UINT64)Guid[15]);
  return AsText(Scratch);
}

// %t: month/day/year, two blanks, hour:minute of an EFI_TIME (Year at offset 0, Month 2,
// Day 3, Hour 4, Minute 5).
const UINT8 *TimeText(const UINT8 *Time, CHAR8 *Scratch) {
  if (Time == NULL) {
    return AsText("<null time>");
  }
  FormatNested(Scratch, FMT_SCRATCH_SIZE, 0, "%02d/%02d/%04d  %02d:%02d", (UINT64)Time[2], (UINT64)Time[3],
               (UINT64)LoadUnaligned16(Time), (UINT64)Time[4], (UINT64)Time[5]);
  return AsText(Scratch);
}

// The text of one conversion; Cursor is on its "%" and is left on its last character.
VOID ConversionText(const UINT8 *&Cursor, UINTN BytesPerFormatCharacter, Conversion &State, Arguments &Args,
                    CHAR8 *Scratch, UINT8 *CharacterText) {
  const UINT16 ConversionCharacter = ReadConversion(Cursor, BytesPerFormatCharacter, State, Args);
  switch (ConversionCharacter) {
    case 'a':
    case 's':
    case 'S': {
      const UINT8 *String = (const UINT8 *)(UINTN)NextArgument(Args);
      if (ConversionCharacter != 'a') {
        State.Flags |= FMT_ARG_UCS2;
      }
      if (String == NULL) {
        State.Flags &= ~(UINTN)FMT_ARG_UCS2;
        String = AsText("<null string>");
      }
      State.Text = String;
      // A plain string has no minimum length.
      if ((State.Flags & FMT_HAS_PRECISION) == 0) {
        State.Precision = 0;
      }
      return;
    }
    case 'c':
      State.Flags |= FMT_ARG_UCS2;
      State.Text = SingleCharacter((UINT16)NextArgument(Args), CharacterText);
      return;
    case 'd':
    case 'x':
    case 'X':
    case 'p':
      NumberText(ConversionCharacter, State, Args, Scratch);
      return;
    case 'g':
      State.Text = GuidText((const UINT8 *)(UINTN)NextArgument(Args), Scratch);
      return;
    case 't':
      State.Text = TimeText((const UINT8 *)(UINTN)NextArgument(Args), Scratch);
      return;
    case 'r':
      State.Text = StatusText(NextArgument(Args), Scratch);
      return;
    case '\n':
    case '\r':
      State.Text = LineEnd(Cursor, BytesPerFormatCharacter);
      return;
    case '\0':
      State.Text = AsText("");
      return;
    default:
      // "%%", and any character that names no conversion, stands for itself.
      State.Flags |= FMT_ARG_UCS2;
      State.Text = SingleCharacter(ConversionCharacter, CharacterText);
      return;
  }
}

VOID EmitText(Output &Out, const Conversion &State) {
  const UINTN Flags = State.Flags;
  const UINTN BytesPerTextCharacter = (Flags & FMT_ARG_UCS2) != 0 ? 2 : 1;
  UINTN Count = State.Count;
  if ((Flags & FMT_REVERSED) == 0) {
    // Never read beyond a given precision, so that a precision may bound an unterminated text.
    for (Count = 0; (Flags & FMT_HAS_PRECISION) == 0 || Count < State.Precision; Count++) {
      if (CharacterAt(State.Text, Count, BytesPerTextCharacter) == 0) {
        break;
      }
    }
  }
  const UINTN Precision = State.Precision < Count ? Count : State.Precision;

  if ((Flags & (FMT_HAS_WIDTH | FMT_LEFT)) == FMT_HAS_WIDTH) {
    Put(Out, (INTN)(State.Width - Precision), ' ');
  }
  if (State.ZeroFill) {
    if (State.Sign != 0) {
      Put(Out, 1, State.Sign);
    }
    Put(Out, (INTN)(Precision - Count), '0');
  } else {
    Put(Out, (INTN)(Precision - Count), ' ');
  }

  if ((Flags & FMT_REVERSED) != 0) {
    // The sign took the first of the Count positions; a comma follows every third digit
    // unless no position is left.
    const UINT8 *Digit = State.Text;
    UINTN Positions = Count - (State.Sign != 0 ? 1 : 0);
    UINTN Group = State.GroupCounter;
    while (Positions > 0) {
      Put(Out, 1, *Digit--);
      Positions--;
      if (State.Grouping && ++Group == 3) {
        Group = 0;
        if (Positions > 0) {
          Put(Out, 1, ',');
          Positions--;
        }
      }
    }
  } else {
    for (UINTN Index = 0; Index < Count; Index++) {
      Put(Out, 1, CharacterAt(State.Text, Index, BytesPerTextCharacter));
    }
  }

  if ((Flags & (FMT_HAS_WIDTH | FMT_LEFT)) == (FMT_HAS_WIDTH | FMT_LEFT)) {
    Put(Out, (INTN)(State.Width - Precision), ' ');
  }
}

}  // namespace

VORQ_EXTERN_C UINTN FormatEngine(CHAR8 *Buffer, UINTN BufferSize, UINTN Flags, const CHAR8 *Format,
                                 va_list Marker) {
  Output Out = {};
  Out.CountOnly = (Flags & FMT_COUNT_ONLY) != 0 ? TRUE : FALSE;
  if (!Out.CountOnly) {
    if (BufferSize == 0) {
      return 0;
    }
    ASSERT(356, Buffer != ((void *) 0));
    if (Buffer == NULL) {
      return 0;  // nowhere to write, not even the terminator
    }
  } else if (BufferSize == 0) {
    Buffer = NULL;
  }

  Out.BytesPerCharacter = (Flags & FMT_OUT_UCS2) != 0 ? 2 : 1;
  CHAR8 *const OriginalBuffer = Buffer;
  Out.Buffer = Buffer;
  if (!Out.CountOnly) {
    Out.EndBuffer = Buffer + (BufferSize - 1) * Out.BytesPerCharacter;
  }
  // Counting never moves Buffer, so only a size of 1 (room for the terminator alone) stops it.
  Out.CountOpen = BufferSize != 1 ? TRUE : FALSE;

  UINTN BytesPerFormatCharacter;
  if ((Flags & FMT_IN_UCS2) != 0) {
    ASSERT(383, StrSize ((CHAR16 *) Format) != 0);
    BytesPerFormatCharacter = 2;
  } else {
    ASSERT(391, AsciiStrSize (Format) != 0);
    BytesPerFormatCharacter = 1;
  }
  // A missing format formats as an empty one.
  static constexpr UINT8 kEmptyFormat[2] = {0, 0};
  const UINT8 *Cursor = Format != NULL ? (const UINT8 *)Format : kEmptyFormat;

  Arguments Args;
  va_copy(Args.Marker, Marker);
  CHAR8 Scratch[FMT_SCRATCH_SIZE];
  UINT8 CharacterText[4];

  while (CharacterAt(Cursor, 0, BytesPerFormatCharacter) != 0 && HasRoom(Out)) {
    Flags &= FMT_MODE_MASK;
    Conversion State = {};
    State.Flags = Flags;
    State.Precision = 1;

    const UINT16 Character = CharacterAt(Cursor, 0, BytesPerFormatCharacter);
    if (Character == '\n' || Character == '\r') {
      State.Text = LineEnd(Cursor, BytesPerFormatCharacter);
    } else if (Character == '%') {
      ConversionText(Cursor, BytesPerFormatCharacter, State, Args, Scratch, CharacterText);
    } else {
      State.Flags |= FMT_ARG_UCS2;
      State.Text = SingleCharacter(Character, CharacterText);
    }
    EmitText(Out, State);

    // A format that ended inside a conversion leaves Cursor on its NUL.
    if (CharacterAt(Cursor, 0, BytesPerFormatCharacter) != 0) {
      Cursor += BytesPerFormatCharacter;
    }
  }
  va_end(Args.Marker);

  if (Out.CountOnly) {
    return Out.Counted;
  }
  Buffer = Out.Buffer;
  ASSERT(938, Buffer != ((void *) 0));
  Buffer[0] = '\0';
  if (Out.BytesPerCharacter == 2) {
    Buffer[1] = '\0';
  }
  ASSERT(947, (((Flags & 0x00000040) == 0)) || (StrSize ((CHAR16 *) OriginalBuffer) != 0));
  ASSERT(952, (((Flags & 0x00000040) != 0)) || (AsciiStrSize (OriginalBuffer) != 0));
  return (UINTN)(Buffer - OriginalBuffer) / Out.BytesPerCharacter;
}
