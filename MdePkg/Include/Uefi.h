// Everything a module source needs of the firmware's types and tables.
#pragma once
#include "Base.h"
#include "Pi/SmmSystemTable.h"
#include "Uefi/Guid.h"
#include "Uefi/Status.h"
#include "Uefi/Tables.h"
