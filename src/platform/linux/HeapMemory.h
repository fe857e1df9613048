#pragma once

// The C library's heap, kept small for a program that runs all day and does little: one arena for
// every thread (the event and D-Bus threads would each get one of their own otherwise), and the
// free pages that start-up leaves behind handed back to the system.
namespace HeapMemory {

// Before any thread starts.
void useOneArena();
// After start-up and after a window that allocated much has closed.
void returnFreePages();

}  // namespace HeapMemory
