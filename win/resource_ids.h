#pragma once
// Ids of the resources linked into mensora.exe (win/mensora.rc). Plain macros: the resource
// compiler reads this file too.

#define MENSORA_ICON 1
// The alert wave, a resource of type "WAVE" with the id the program has always used.
#define MENSORA_ALERT_WAVE 147
