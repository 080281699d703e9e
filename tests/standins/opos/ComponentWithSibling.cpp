// A component that imports the sibling library beside it; its entry point
// answers what the sibling answers. Test only.
extern "C" __declspec(dllimport) long KitSiblingAnswer();

extern "C" __declspec(dllexport) long __stdcall KitComponentAnswer() { return KitSiblingAnswer(); }
