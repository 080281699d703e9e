// A library that a component imports from its own folder, as an OCX may ship
// a helper DLL beside it. Test only.
extern "C" __declspec(dllexport) long KitSiblingAnswer() { return 42; }
