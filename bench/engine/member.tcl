# member: method calls that change an initialised member, and reading it.
oo::class create ZaehlerKlasse {
    variable n
    constructor {} {
        set n 0
    }
    method plus {} {
        set n [expr {$n + 1}]
    }
    method n {} {
        return $n
    }
}
ZaehlerKlasse create Zaehler

proc main {} {
    set s 0
    for {set i 0} {$i < 300000} {set i [expr {$i + 1}]} {
        Zaehler plus
        set s [expr {$s + [Zaehler n] % 3}]
    }
    puts $s
}
main
