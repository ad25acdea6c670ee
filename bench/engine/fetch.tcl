# fetch: visiting the matching objects among 200 (a dict of their values).
proc main {} {
    set werte [dict create]
    for {set k 0} {$k < 200} {set k [expr {$k + 1}]} {
        dict set werte "Ding$k" $k
    }
    set n 0
    for {set k 0} {$k < 200} {set k [expr {$k + 1}]} {
        set gefunden {}
        dict for {o wert} $werte {
            if {$wert % 3 == 0} { lappend gefunden $o }
        }
        foreach o [lreverse $gefunden] {
            set n [expr {$n + 1}]
        }
    }
    puts $n
}
main
