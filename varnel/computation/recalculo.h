#pragma once
// The recalculation ripple as a subscriber of the declaration's changes.
namespace qvr {

class Declaracion;

// Subscribes the ripple to `d`: every announced box change runs that box's steps of the dispatch
// table, and an accepted detail window of box 200 or 201 runs its total and then box 203's rule.
// Every declaration built for real work (the window, the command line, tests) calls this once,
// right after constructing it; calling it again changes nothing.
void conectaCalculo(Declaracion& d);

// Whether `d` has the ripple subscribed.
bool calculoConectado(const Declaracion& d);

}  // namespace qvr
