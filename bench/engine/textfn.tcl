# textfn: the string commands on built texts.
proc main {} {
    set n 0
    for {set i 0} {$i < 100000} {set i [expr {$i + 1}]} {
        set w "Haus${i}tür"
        set n [expr {$n + [string length $w] + [string first "s" $w] + [string length [string range $w 2 4]]}]
    }
    puts $n
}
main
