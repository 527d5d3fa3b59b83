// The status names that %r prints, one array: success and warnings by value at 0 to 4, then
// the errors by their low bits, error n at 4 + n.
#include "PrintLibInternal.h"

VORQ_EXTERN_C const CHAR8 *const StatusNameTable[5 + STATUS_NAME_ERROR_LAST] = {
    "Success",                   //  0
    "Warning Unknown Glyph",     //  1
    "Warning Delete Failure",    //  2
    "Warning Write Failure",     //  3
    "Warning Buffer Too Small",  //  4
    "Load Error",                //  error 1
    "Invalid Parameter",         //  error 2
    "Unsupported",               //  error 3
    "Bad Buffer Size",           //  error 4
    "Buffer Too Small",          //  error 5
    "Not Ready",                 //  error 6
    "Device Error",              //  error 7
    "Write Protected",           //  error 8
    "Out of Resources",          //  error 9
    "Volume Corrupt",            //  error 10
    "Volume Full",               //  error 11
    "No Media",                  //  error 12
    "Media changed",             //  error 13
    "Not Found",                 //  error 14
    "Access Denied",             //  error 15
    "No Response",               //  error 16
    "No mapping",                //  error 17
    "Time out",                  //  error 18
    "Not started",               //  error 19
    "Already started",           //  error 20
    "Aborted",                   //  error 21
    "ICMP Error",                //  error 22
    "TFTP Error",                //  error 23
    "Protocol Error",            //  error 24
};
