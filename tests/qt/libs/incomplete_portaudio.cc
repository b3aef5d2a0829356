// A library that looks like PortAudio but lacks most of its calls: the
// audio output must refuse it and close it again. (.cc: not one of the
// test sources, which are *.cpp.)
extern "C" {
int Pa_Initialize(void) { return 0; }
int Pa_Terminate(void) { return 0; }
}
