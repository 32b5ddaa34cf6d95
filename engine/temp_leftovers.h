// What a crashed run leaves behind: its temporary copies, partial files under temporary names.
#pragma once

// Deletes, in folder (its path ending with a backslash), every file named as a temporary whose
// maker no longer holds it open. Files of any other name, and temporaries of runs still at
// work in this or another process, stay as they are.
void clear_temp_leftovers(const char* folder);
