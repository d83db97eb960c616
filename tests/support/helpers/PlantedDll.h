// The stand-in the DLL-planting test puts beside a program under a system DLL's name
// (PlantedDll.cpp). When any process loads it, it writes a file named by the environment variable
// VELMORA_PLANT_MARKER, which the process inherits from the test, holding the path of the program
// it was loaded into.
#pragma once

inline constexpr wchar_t kPlantMarkerVariable[] = L"VELMORA_PLANT_MARKER";
