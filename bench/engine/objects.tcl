# objects: calling a method of another object through its name.
oo::class create ZaehlerKlasse {
    variable wert
    constructor {} {
        set wert 0
    }
    method plus {} {
        set wert [expr {$wert + 1}]
    }
    method wert {} {
        return $wert
    }
}
ZaehlerKlasse create Zaehler

proc main {} {
    for {set i 0} {$i < 300000} {set i [expr {$i + 1}]} {
        Zaehler plus
    }
    puts [Zaehler wert]
}
main
