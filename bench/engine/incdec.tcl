# incdec: the array loop with its steps written with incr.
proc main {} {
    set a [lrepeat 1000 0]
    for {set k 0} {$k < 200} {incr k} {
        for {set i 0} {$i < 1000} {incr i} {
            lset a $i [expr {[lindex $a $i] + $i}]
        }
    }
    set s 0
    set i 1000
    while {$i > 0} {
        incr i -1
        incr s [lindex $a $i]
    }
    puts $s
}
main
