// A gameplay source that calls the form's START, a function of the layer above it. It
// compiles, and the game would link it; the gameplay layer's check must refuse it.
class TMainForm;
void Button1Click(TMainForm& form);

void ProbeBackEdge(TMainForm& form) {
    Button1Click(form);
}
